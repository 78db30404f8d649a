// SPDX-License-Identifier: GPL-3.0-or-later
#include "FieldBinding.h"

#include "model/SheetModel.h"

#include <QCheckBox>
#include <QLineEdit>

namespace orvanta {

FieldBinding::FieldBinding(SheetModel& model, QObject* parent)
    : QObject(parent)
    , m_model(model)
{
    connect(&m_model, &SheetModel::changed, this, [this](SheetModel::Change change) {
        if (change != SheetModel::Change::Resources)
            show();
    });
}

void FieldBinding::bind(QLineEdit* edit, TextField field)
{
    m_texts.append({edit, field});
    edit->setText(m_model.sheet().*field);
    connect(edit, &QLineEdit::textChanged, this, [this, field](const QString& text) {
        if (!m_showing)
            m_model.setText(field, text);
    });
}

void FieldBinding::bind(QCheckBox* box, FlagField field)
{
    m_flags.append({box, field});
    box->setChecked(m_model.sheet().*field);
    connect(box, &QCheckBox::toggled, this, [this, field](bool on) {
        if (!m_showing)
            m_model.setFlag(field, on);
    });
}

void FieldBinding::show()
{
    m_showing = true;
    const Sheet& sheet = m_model.sheet();
    for (const auto& [edit, field] : m_texts) {
        if (edit->text() != sheet.*field) // else the cursor would jump while the user types
            edit->setText(sheet.*field);
    }
    for (const auto& [box, field] : m_flags)
        box->setChecked(sheet.*field);
    m_showing = false;
}

} // namespace orvanta
