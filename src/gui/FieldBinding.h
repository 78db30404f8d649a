// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "sheet/Sheet.h"

#include <QList>
#include <QObject>
#include <utility>

class QCheckBox;
class QLineEdit;

namespace orvanta {

class SheetModel;

// Keeps a page's fields and the model's alike, both ways: what the user types goes to the model, and a change of
// the model shows in the field. A field shows its text as the model holds it, whatever the widget would make of it.
class FieldBinding : public QObject {
    Q_OBJECT

public:
    FieldBinding(SheetModel& model, QObject* parent);

    void bind(QLineEdit* edit, TextField field);
    void bind(QCheckBox* box, FlagField field);

private:
    void show();

    SheetModel& m_model;
    QList<std::pair<QLineEdit*, TextField>> m_texts;
    QList<std::pair<QCheckBox*, FlagField>> m_flags;
    bool m_showing = false;
};

} // namespace orvanta
