#pragma once

#include <QString>
#include <QStringList>

namespace orvanta {

enum class Comparison {
    Exact, // character codes, case-sensitive
    Text,  // case-insensitive
};

// Replaces every occurrence of `find`, scanning left to right. Matches never overlap and text brought in
// by a replacement is never searched again. An empty `find` leaves the text unchanged. Linear in the
// length of `text`.
QString ReplaceText(const QString& text, const QString& find, const QString& replacement, Comparison mode);

// ReplaceText with exact comparison: the form every placeholder and name rule uses.
QString ReplaceAll(const QString& text, const QString& find, const QString& replacement);

// The first exact match of `find` at or after `from`, or -1.
qsizetype FindExact(QStringView text, QStringView find, qsizetype from = 0);

// The pieces around every exact match of `find`, found as ReplaceAll finds them: joining the pieces with a
// replacement between them gives ReplaceAll's result.
QList<QStringView> CutAt(QStringView text, QStringView find);

// ReplaceAll that appends its result to `out`, for callers that build one large text from many pieces.
void AppendReplaced(QString& out, QStringView text, QStringView find, QStringView replacement);

// The pieces between delimiters, in order; empty pieces are kept, so "a------b" split at "---" gives
// "a", "", "b" and an empty text gives one empty piece.
QStringList SplitToList(const QString& text, const QString& delimiter);

} // namespace orvanta
