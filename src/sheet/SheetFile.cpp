// SPDX-License-Identifier: GPL-3.0-or-later
#include "SheetFile.h"

#include "Design.h"
#include "TextFile.h"

#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <algorithm>

namespace orvanta {

namespace {

const QString FitPagesKey = QStringLiteral("fitPages");

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
                wrongType(SheetProblem::Kind::NotText, key);
        }
    }

    void read(const QString& key, bool& flag)
    {
        if (const QJsonValue value = m_json.value(key); !value.isUndefined()) {
            if (value.isBool())
                flag = value.toBool();
            else
                wrongType(SheetProblem::Kind::NotFlag, key);
        }
    }

    void read(const QString& key, int& fitPages)
    {
        if (const QJsonValue value = m_json.value(key); !value.isUndefined()) {
            if (value.isDouble() && value.toDouble() == value.toInt() && value.toInt() >= 0 &&
                value.toInt() <= MostFitPages)
                fitPages = value.toInt();
            else
                wrongType(SheetProblem::Kind::BadFitPages, key);
        }
    }

    void read(const QString& key, ResourceEntries& resources)
    {
        const QJsonValue value = m_json.value(key);
        if (value.isUndefined())
            return;
        if (!value.isArray())
            return wrongType(SheetProblem::Kind::NotResources, key);
        const QJsonArray items = value.toArray();
        resources.clear();
        resources.reserve(items.size());
        for (const QJsonValue& item : items) {
            if (const QJsonValue title = item.toObject().value(QStringLiteral("heading")); !title.isUndefined()) {
                if (!title.isString() || title.toString().isEmpty())
                    return wrongType(SheetProblem::Kind::HeadingWithoutTitle, key);
                resources.append(HeadingEntry(title.toString()));
                continue;
            }
            const QJsonValue text = item.toObject().value(QStringLiteral("text"));
            const QJsonValue url = item.toObject().value(QStringLiteral("url"));
            if (!text.isString() || !url.isString())
                return wrongType(SheetProblem::Kind::ResourceWithoutLink, key);
            const QJsonValue description = item.toObject().value(QStringLiteral("description"));
            if (!description.isUndefined() && !description.isString())
                return wrongType(SheetProblem::Kind::NotText, QStringLiteral("description"));
            resources.append({text.toString(), url.toString(), false, description.toString()});
        }
    }

    const std::optional<SheetProblem>& problem() const { return m_problem; }

private:
    void wrongType(SheetProblem::Kind kind, const QString& key)
    {
        if (!m_problem)
            m_problem = SheetProblem{kind, key};
    }

    const QJsonObject& m_json;
    std::optional<SheetProblem> m_problem;
};

} // namespace

QJsonObject SheetToJson(const Sheet& sheet)
{
    QJsonArray resources;
    int version = 1;
    for (const ResourceEntry& entry : sheet.resources) {
        if (entry.heading) {
            version = std::max(version, 2);
            resources.append(QJsonObject{{QStringLiteral("heading"), entry.linkText}});
            continue;
        }
        QJsonObject link{{QStringLiteral("text"), entry.linkText}, {QStringLiteral("url"), entry.linkUrl}};
        if (!entry.description.isEmpty()) {
            version = SheetFormatVersion;
            link.insert(QStringLiteral("description"), entry.description);
        }
        resources.append(link);
    }
    // Format 1 has no headings, and format 2 no descriptions, and their readers would drop them; format 2 readers
    // would print a sheet that asks to fit on fewer pages at full size. A sheet says the oldest format that keeps
    // all it holds.
    if (sheet.fitPages > 0)
        version = SheetFormatVersion;
    QJsonObject json{{QStringLiteral("format"), SheetFormat},
                     {QStringLiteral("version"), version},
                     {QStringLiteral("resources"), resources}};
    for (const auto& [key, member] : SheetTexts)
        json.insert(QLatin1String(key), sheet.*member);
    for (const auto& [key, member] : SheetFlags)
        json.insert(QLatin1String(key), sheet.*member);
    json.insert(FitPagesKey, sheet.fitPages);
    return json;
}

Expected<Sheet, SheetProblem> SheetFromJson(const QJsonObject& json)
{
    using Kind = SheetProblem::Kind;
    if (json.value(QStringLiteral("format")) != SheetFormat)
        return Unexpected(SheetProblem{Kind::NotSheet});
    const QJsonValue version = json.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() < 1 || version.toDouble() != version.toInt())
        return Unexpected(SheetProblem{Kind::BadVersion});
    if (version.toInt() > SheetFormatVersion)
        return Unexpected(SheetProblem{.kind = Kind::NewerVersion, .version = version.toInt()});
    Sheet sheet;
    sheet.language = language::OfOlderFiles;
    Reader reader(json);
    for (const auto& [key, member] : SheetTexts)
        reader.read(QLatin1String(key), sheet.*member);
    for (const auto& [key, member] : SheetFlags)
        reader.read(QLatin1String(key), sheet.*member);
    reader.read(FitPagesKey, sheet.fitPages);
    reader.read(QStringLiteral("resources"), sheet.resources);
    if (std::optional<SheetProblem> problem = reader.problem() ? reader.problem() : DesignProblem(sheet))
        return Unexpected(std::move(*problem));
    return sheet;
}

Expected<QJsonObject, FileProblem> LoadJsonObject(const QString& path, FileKinds kinds)
{
    using Kind = FileProblem::Kind;
    // A missing file, a folder and a FIFO are ReadFileBytes()'s to refuse; a file too large is said here, in a
    // sheet's words.
    const QFileInfo info(path);
    if (info.isFile() && info.size() > MaxSheetFileBytes)
        return Unexpected(FileProblem{.action = FileAction::Open,
                                      .kind = Kind::SheetTooLarge,
                                      .path = path,
                                      .limit = MaxSheetFileBytes,
                                      .size = info.size()});
    const Expected<QByteArray, FileProblem> bytes = ReadFileBytes(path, FileAction::Open, kinds, MaxSheetFileBytes);
    if (!bytes)
        return Unexpected(bytes.error());
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(*bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return Unexpected(FileProblem{.action = FileAction::Open,
                                      .kind = Kind::NotJson,
                                      .path = path,
                                      .reason = error.errorString(),
                                      .offset = error.offset});
    if (!document.isObject())
        return Unexpected(FileProblem{.action = FileAction::Open, .kind = Kind::NotObject, .path = path});
    return document.object();
}

std::optional<FileProblem> SaveJsonObject(const QString& path, const QJsonObject& json)
{
    return SaveFile(path, QJsonDocument(json).toJson(QJsonDocument::Indented));
}

Expected<Sheet, FileProblem> LoadSheet(const QString& path, FileKinds kinds)
{
    const Expected<QJsonObject, FileProblem> json = LoadJsonObject(path, kinds);
    if (!json)
        return Unexpected(json.error());
    Expected<Sheet, SheetProblem> sheet = SheetFromJson(*json);
    if (!sheet)
        return Unexpected(FileProblem{
            .action = FileAction::Open, .kind = FileProblem::Kind::NotSheet, .path = path, .sheet = sheet.error()});
    return std::move(*sheet);
}

std::optional<FileProblem> SaveSheet(const QString& path, const Sheet& sheet)
{
    return SaveJsonObject(path, SheetToJson(sheet));
}

} // namespace orvanta
