#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <optional>

namespace varnelo {

// A private-profile (INI) file: "[section]" lines open sections, "key=value"
// lines hold values. Section and key names compare without regard to case.
// Reads reuse the parsed file while it is unchanged on disk; writes keep every
// other line (comments, order, foreign keys) and replace the file atomically.
// GUI thread only.
class PrivateProfile {
public:
    explicit PrivateProfile(const QString& path);

    QString path() const { return path_; }

    // The value as stored: blanks around it trimmed, one enclosing pair of
    // quotes removed, at most 2047 characters. nullopt when the file, the
    // section or the key is missing. Never creates anything.
    std::optional<QString> Read(const QString& section, const QString& key) const;

    // Throws AppError("Unable to write to <file name>") when the file cannot
    // be written; the file on disk is then unchanged.
    void Write(const QString& section, const QString& key, const QString& value);

    static constexpr int MaxValueLength = 2047;

private:
    struct Location {
        int sectionLine = -1; // index of the "[section]" line, -1 when missing
        int keyLine = -1;     // index of the "key=" line, -1 when missing
        int lastLine = -1;    // last non-blank line of the section
    };

    void refresh() const;
    Location locate(const QString& section, const QString& key) const;

    QString path_;
    mutable QStringList lines_;
    mutable QString newline_ = QStringLiteral("\n");
    mutable bool loaded_ = false;
    mutable bool exists_ = false;
    mutable QDateTime mtime_;
    mutable qint64 size_ = -1;
};

} // namespace varnelo
