#include "platform/profile/PrivateProfile.h"

#include "platform/core/AppError.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

namespace varnelo {

namespace {

QString sectionName(const QString& line) {
    const QString t = line.trimmed();
    if (!t.startsWith(u'['))
        return {};
    const qsizetype close = t.indexOf(u']');
    return close > 0 ? t.mid(1, close - 1).trimmed() : QString();
}

bool isSectionLine(const QString& line) {
    const QString t = line.trimmed();
    return t.startsWith(u'[') && t.indexOf(u']') > 0;
}

// Key of a "key=value" line; empty for comments and other lines.
QString keyName(const QString& line) {
    const QString t = line.trimmed();
    if (t.isEmpty() || t.startsWith(u';') || t.startsWith(u'#'))
        return {};
    const qsizetype eq = t.indexOf(u'=');
    return eq > 0 ? t.left(eq).trimmed() : QString();
}

QString unquoted(QString value) {
    value = value.trimmed();
    if (value.size() >= 2) {
        const QChar first = value.front();
        if ((first == u'"' || first == u'\'') && value.back() == first)
            value = value.mid(1, value.size() - 2);
    }
    return value.left(PrivateProfile::MaxValueLength);
}

// A value is one line: line breaks would start new keys in the file.
QString oneLine(QString value) {
    value.replace(u'\r', u' ');
    value.replace(u'\n', u' ');
    return value;
}

} // namespace

PrivateProfile::PrivateProfile(const QString& path) : path_(path) {}

void PrivateProfile::refresh() const {
    const QFileInfo info(path_);
    const bool exists = info.exists() && info.isFile();
    if (loaded_ && exists == exists_ &&
        (!exists || (info.lastModified() == mtime_ && info.size() == size_)))
        return;
    lines_.clear();
    newline_ = QStringLiteral("\n");
    exists_ = exists;
    mtime_ = exists ? info.lastModified() : QDateTime();
    size_ = exists ? info.size() : -1;
    loaded_ = true;
    if (!exists)
        return;
    QFile file(path_);
    if (!file.open(QIODevice::ReadOnly))
        return;
    const QString text = QString::fromUtf8(file.readAll());
    if (text.contains(QStringLiteral("\r\n")))
        newline_ = QStringLiteral("\r\n");
    lines_ = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    if (!lines_.isEmpty() && lines_.back().isEmpty())
        lines_.removeLast(); // the final line break
}

PrivateProfile::Location PrivateProfile::locate(const QString& section, const QString& key) const {
    Location where;
    for (int i = 0; i < lines_.size(); ++i) {
        if (!isSectionLine(lines_[i]))
            continue;
        if (where.sectionLine >= 0)
            break; // the end of the section we found
        if (sectionName(lines_[i]).compare(section, Qt::CaseInsensitive) == 0) {
            where.sectionLine = i;
            where.lastLine = i;
        }
        continue;
    }
    if (where.sectionLine < 0)
        return where;
    for (int i = where.sectionLine + 1; i < lines_.size() && !isSectionLine(lines_[i]); ++i) {
        if (!lines_[i].trimmed().isEmpty())
            where.lastLine = i;
        if (where.keyLine < 0 && keyName(lines_[i]).compare(key, Qt::CaseInsensitive) == 0)
            where.keyLine = i;
    }
    return where;
}

std::optional<QString> PrivateProfile::Read(const QString& section, const QString& key) const {
    refresh();
    const Location where = locate(section, key);
    if (where.keyLine < 0)
        return std::nullopt;
    const QString& line = lines_[where.keyLine];
    return unquoted(line.mid(line.indexOf(u'=') + 1));
}

void PrivateProfile::Write(const QString& section, const QString& key, const QString& value) {
    refresh();
    QStringList lines = lines_;
    const Location where = locate(section, key);
    const QString entry = key + u'=' + oneLine(value);
    if (where.keyLine >= 0) {
        const QString& old = lines[where.keyLine];
        lines[where.keyLine] = old.left(old.indexOf(u'=') + 1) + oneLine(value);
    } else if (where.sectionLine >= 0) {
        lines.insert(where.lastLine + 1, entry);
    } else {
        if (!lines.isEmpty() && !lines.back().trimmed().isEmpty())
            lines.append(QString());
        lines.append(u'[' + section + u']');
        lines.append(entry);
    }

    const QString failure =
        QStringLiteral("Unable to write to %1").arg(QFileInfo(path_).fileName());
    if (!QDir().mkpath(QFileInfo(path_).absolutePath()))
        throw AppError(failure);
    QSaveFile file(path_);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError(failure);
    const QByteArray data = (lines.join(newline_) + newline_).toUtf8();
    if (file.write(data) != data.size() || !file.commit())
        throw AppError(failure);

    lines_ = lines;
    const QFileInfo info(path_);
    exists_ = true;
    mtime_ = info.lastModified();
    size_ = info.size();
}

} // namespace varnelo
