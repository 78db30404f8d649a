#include "SheetFile.h"

#include "TextFile.h"

#include <QDir>
#include <QFile>
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
                wrongType(key, QStringLiteral("text"));
        }
    }

    void read(const QString& key, bool& flag)
    {
        if (const QJsonValue value = m_json.value(key); !value.isUndefined()) {
            if (value.isBool())
                flag = value.toBool();
            else
                wrongType(key, QStringLiteral("true or false"));
        }
    }

    void read(const QString& key, ResourceEntries& resources)
    {
        const QJsonValue value = m_json.value(key);
        if (value.isUndefined())
            return;
        if (!value.isArray())
            return wrongType(key, QStringLiteral("a list of resources"));
        const QJsonArray items = value.toArray();
        resources.clear();
        resources.reserve(items.size());
        for (const QJsonValue& item : items) {
            const QJsonValue text = item.toObject().value(QStringLiteral("text"));
            const QJsonValue url = item.toObject().value(QStringLiteral("url"));
            if (!text.isString() || !url.isString())
                return wrongType(key, QStringLiteral("a list of resources, each with a \"text\" and a \"url\""));
            resources.append({text.toString(), url.toString()});
        }
    }

    const QString& problem() const { return m_problem; }

private:
    void wrongType(const QString& key, const QString& expected)
    {
        if (m_problem.isEmpty())
            m_problem = QStringLiteral("\"%1\" must be %2").arg(key, expected);
    }

    const QJsonObject& m_json;
    QString m_problem;
};

} // namespace

QJsonObject SheetToJson(const Sheet& sheet)
{
    QJsonArray resources;
    for (const ResourceEntry& entry : sheet.resources)
        resources.append(QJsonObject{{QStringLiteral("text"), entry.linkText}, {QStringLiteral("url"), entry.linkUrl}});
    return {{QStringLiteral("format"), Format},
            {QStringLiteral("version"), SheetFormatVersion},
            {QStringLiteral("headline"), sheet.headline},
            {QStringLiteral("subheadline"), sheet.subheadline},
            {QStringLiteral("footer"), sheet.footer},
            {QStringLiteral("disclaimer"), sheet.disclaimer},
            {QStringLiteral("noteBelowEachResource"), sheet.noteBelowEachResource},
            {QStringLiteral("note"), sheet.note},
            {QStringLiteral("resources"), resources},
            {QStringLiteral("fileName"), sheet.fileName},
            {QStringLiteral("campaignSource"), sheet.campaignSource},
            {QStringLiteral("campaignMedium"), sheet.campaignMedium},
            {QStringLiteral("campaignName"), sheet.campaignName},
            {QStringLiteral("qrCodes"), sheet.qrCodes}};
}

std::optional<Sheet> SheetFromJson(const QJsonObject& json, QString& problem)
{
    if (json.value(QStringLiteral("format")) != Format) {
        problem = QStringLiteral("it is not an Orvanta sheet (it has no \"format\": \"%1\")").arg(Format);
        return {};
    }
    const QJsonValue version = json.value(QStringLiteral("version"));
    if (!version.isDouble() || version.toDouble() < 1 || version.toDouble() != version.toInt()) {
        problem = QStringLiteral("\"version\" must be a whole number from 1 on");
        return {};
    }
    if (version.toInt() > SheetFormatVersion) {
        problem = QStringLiteral("it was saved by a newer version of Orvanta (sheet format %1; this version reads "
                                 "format %2). Please update Orvanta to open it")
                      .arg(version.toInt())
                      .arg(SheetFormatVersion);
        return {};
    }
    Sheet sheet;
    Reader reader(json);
    reader.read(QStringLiteral("headline"), sheet.headline);
    reader.read(QStringLiteral("subheadline"), sheet.subheadline);
    reader.read(QStringLiteral("footer"), sheet.footer);
    reader.read(QStringLiteral("disclaimer"), sheet.disclaimer);
    reader.read(QStringLiteral("noteBelowEachResource"), sheet.noteBelowEachResource);
    reader.read(QStringLiteral("note"), sheet.note);
    reader.read(QStringLiteral("resources"), sheet.resources);
    reader.read(QStringLiteral("fileName"), sheet.fileName);
    reader.read(QStringLiteral("campaignSource"), sheet.campaignSource);
    reader.read(QStringLiteral("campaignMedium"), sheet.campaignMedium);
    reader.read(QStringLiteral("campaignName"), sheet.campaignName);
    reader.read(QStringLiteral("qrCodes"), sheet.qrCodes);
    problem = reader.problem();
    if (!problem.isEmpty())
        return {};
    return sheet;
}

FileResult LoadJsonObject(const QString& path, QJsonObject& json)
{
    QFile file(path);
    const QFileInfo info(path);
    if (!info.exists())
        return FileFailure(QStringLiteral("open"), path, QStringLiteral("the file does not exist"),
                           FileResult::Status::Missing);
    if (info.isDir())
        return FileFailure(QStringLiteral("open"), path, QStringLiteral("it is a folder"));
    if (info.size() > MaxSheetFileBytes)
        return FileFailure(QStringLiteral("open"), path,
                           QStringLiteral("it is too large for a sheet (%1 MB; sheets open up to %2 MB)")
                               .arg(info.size() / (1024 * 1024))
                               .arg(MaxSheetFileBytes / (1024 * 1024)));
    if (!file.open(QIODevice::ReadOnly))
        return FileFailure(QStringLiteral("open"), path, file.errorString());
    const QByteArray bytes = file.read(MaxSheetFileBytes); // a file that grew since is cut, and refused
    if (file.error() != QFileDevice::NoError)
        return FileFailure(QStringLiteral("open"), path, file.errorString());
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError)
        return FileFailure(
            QStringLiteral("open"), path,
            QStringLiteral("it is not a sheet file (%1 at byte %2)").arg(error.errorString()).arg(error.offset));
    if (!document.isObject())
        return FileFailure(QStringLiteral("open"), path, QStringLiteral("it is not a sheet file"));
    json = document.object();
    return {};
}

FileResult SaveJsonObject(const QString& path, const QJsonObject& json)
{
    return SaveFile(path, QJsonDocument(json).toJson(QJsonDocument::Indented));
}

FileResult LoadSheet(const QString& path, Sheet& sheet)
{
    QJsonObject json;
    if (FileResult loaded = LoadJsonObject(path, json); !loaded.ok())
        return loaded;
    QString problem;
    std::optional<Sheet> read = SheetFromJson(json, problem);
    if (!read)
        return FileFailure(QStringLiteral("open"), path, problem);
    sheet = std::move(*read);
    return {};
}

FileResult SaveSheet(const QString& path, const Sheet& sheet)
{
    return SaveJsonObject(path, SheetToJson(sheet));
}

} // namespace orvanta
