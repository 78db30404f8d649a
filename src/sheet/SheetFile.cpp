// SPDX-License-Identifier: GPL-3.0-or-later
#include "SheetFile.h"

#include "Design.h"
#include "TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

namespace orvanta {

namespace {

const QString Format = QStringLiteral("orvanta-sheet");

// Reads the keys of a sheet one by one, keeping the first wrong type it meets.
class Reader {
public:
    explicit Reader(const QJsonObject& json)
        : m_json(json)
    {
    }

    void read(const QString& key, QString& text)
    {
        if (const QJsonValue value = m_json.value(key); !value.isUndefined()) {
            if (value.isString())
                text = value.toString();
            else
                wrongType(QCoreApplication::translate("SheetFile", "\"%1\" must be text").arg(key));
        }
    }

    void read(const QString& key, bool& flag)
    {
        if (const QJsonValue value = m_json.value(key); !value.isUndefined()) {
            if (value.isBool())
                flag = value.toBool();
            else
                wrongType(QCoreApplication::translate("SheetFile", "\"%1\" must be true or false").arg(key));
        }
    }

    void read(const QString& key, ResourceEntries& resources)
    {
        const QJsonValue value = m_json.value(key);
        if (value.isUndefined())
            return;
        if (!value.isArray())
            return wrongType(QCoreApplication::translate("SheetFile", "\"%1\" must be a list of resources").arg(key));
        const QJsonArray items = value.toArray();
        resources.clear();
        resources.reserve(items.size());
        for (const QJsonValue& item : items) {
            if (const QJsonValue title = item.toObject().value(QStringLiteral("heading")); !title.isUndefined()) {
                if (!title.isString() || title.toString().isEmpty())
                    return wrongType(
                        QCoreApplication::translate("SheetFile",
                                                    "\"%1\" must be a list of resources, each \"heading\" with a title")
                            .arg(key));
                resources.append(HeadingEntry(title.toString()));
                continue;
            }
            const QJsonValue text = item.toObject().value(QStringLiteral("text"));
            const QJsonValue url = item.toObject().value(QStringLiteral("url"));
            if (!text.isString() || !url.isString())
                return wrongType(
                    QCoreApplication::translate(
                        "SheetFile", "\"%1\" must be a list of resources, each with a \"text\" and a \"url\"")
                        .arg(key));
            resources.append({text.toString(), url.toString()});
        }
    }

    const QString& problem() const { return m_problem; }

private:
    // `problem` names the key and the type it must have.
    void wrongType(const QString& problem)
    {
        if (m_problem.isEmpty())
            m_problem = problem;
    }

    const QJsonObject& m_json;
    QString m_problem;
};

} // namespace

QJsonObject SheetToJson(const Sheet& sheet)
{
    QJsonArray resources;
    bool headings = false;
    for (const ResourceEntry& entry : sheet.resources) {
        headings = headings || entry.heading;
        resources.append(entry.heading ? QJsonObject{{QStringLiteral("heading"), entry.linkText}}
                                       : QJsonObject{{QStringLiteral("text"), entry.linkText},
                                                     {QStringLiteral("url"), entry.linkUrl}});
    }
    // Format 1 has no headings, and its readers would drop them: only a sheet with headings says format 2.
    QJsonObject json{{QStringLiteral("format"), Format},
                     {QStringLiteral("version"), headings ? SheetFormatVersion : 1},
                     {QStringLiteral("resources"), resources}};
    for (const auto& [key, member] : SheetTexts)
        json.insert(QLatin1String(key), sheet.*member);
    for (const auto& [key, member] : SheetFlags)
        json.insert(QLatin1String(key), sheet.*member);
    return json;
}

std::optional<Sheet> SheetFromJson(const QJsonObject& json, QString& problem)
{
    if (json.value(QStringLiteral("format")) != Format) {
        problem = QCoreApplication::translate("SheetFile", "it is not an Orvanta sheet (it has no \"format\": \"%1\")")
                      .arg(Format);
        return {};
    }
    const QJsonValue version = json.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() < 1 || version.toDouble() != version.toInt()) {
        problem = QCoreApplication::translate("SheetFile", "\"version\" must be a whole number from 1 on");
        return {};
    }
    if (version.toInt() > SheetFormatVersion) {
        problem = QCoreApplication::translate("SheetFile",
                                              "it was saved by a newer version of Orvanta (sheet format %1; this "
                                              "version reads format %2). Please update Orvanta to open it")
                      .arg(version.toInt())
                      .arg(SheetFormatVersion);
        return {};
    }
    Sheet sheet;
    Reader reader(json);
    for (const auto& [key, member] : SheetTexts)
        reader.read(QLatin1String(key), sheet.*member);
    for (const auto& [key, member] : SheetFlags)
        reader.read(QLatin1String(key), sheet.*member);
    reader.read(QStringLiteral("resources"), sheet.resources);
    problem = reader.problem();
    if (problem.isEmpty())
        problem = DesignProblem(sheet);
    if (!problem.isEmpty())
        return {};
    return sheet;
}

FileResult LoadJsonObject(const QString& path, QJsonObject& json, FileKinds kinds)
{
    // A missing file, a folder and a FIFO are ReadFileBytes()'s to refuse; a file too large is said here, in a
    // sheet's words.
    const QFileInfo info(path);
    if (info.isFile() && info.size() > MaxSheetFileBytes)
        return FileFailure(
            FileAction::Open, path,
            QCoreApplication::translate("SheetFile", "it is too large for a sheet (%1 MB; sheets open up to %2 MB)")
                .arg(info.size() / (1024 * 1024))
                .arg(MaxSheetFileBytes / (1024 * 1024)));
    QByteArray bytes;
    if (FileResult read = ReadFileBytes(path, FileAction::Open, kinds, MaxSheetFileBytes, bytes); !read.ok())
        return read;
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return FileFailure(FileAction::Open, path,
                           QCoreApplication::translate("SheetFile", "it is not a sheet file (%1 at byte %2)")
                               .arg(error.errorString())
                               .arg(error.offset));
    if (!document.isObject())
        return FileFailure(FileAction::Open, path, QCoreApplication::translate("SheetFile", "it is not a sheet file"));
    json = document.object();
    return {};
}

FileResult SaveJsonObject(const QString& path, const QJsonObject& json)
{
    return SaveFile(path, QJsonDocument(json).toJson(QJsonDocument::Indented));
}

FileResult LoadSheet(const QString& path, Sheet& sheet, FileKinds kinds)
{
    QJsonObject json;
    if (FileResult loaded = LoadJsonObject(path, json, kinds); !loaded.ok())
        return loaded;
    QString problem;
    std::optional<Sheet> read = SheetFromJson(json, problem);
    if (!read)
        return FileFailure(FileAction::Open, path, problem);
    sheet = std::move(*read);
    return {};
}

FileResult SaveSheet(const QString& path, const Sheet& sheet)
{
    return SaveJsonObject(path, SheetToJson(sheet));
}

} // namespace orvanta
