#pragma once

#include <QDate>
#include <QString>
#include <QTime>

namespace varnelo {

class PrivateProfile;

// The one settings object ("Varn.ini"). Every read goes to the file (a parsed
// copy is reused while the file on disk is unchanged) and every write reaches
// the file at once, replacing it atomically. Readers always pass their own
// default; a missing file, section or key, or a value that does not parse as
// its type, yields that default. A read never creates anything. A refused
// write throws AppError("Unable to write to Varn.ini"). GUI thread only.
class SettingsFile {
public:
    explicit SettingsFile(const QString& path);
    ~SettingsFile();
    SettingsFile(const SettingsFile&) = delete;
    SettingsFile& operator=(const SettingsFile&) = delete;

    // $XDG_CONFIG_HOME/varnelo/Varn.ini (~/.config/varnelo/Varn.ini when unset).
    static QString DefaultPath();
    QString path() const;

    QString ReadString(const QString& section, const QString& key, const QString& def) const;
    void WriteString(const QString& section, const QString& key, const QString& value);
    int ReadInteger(const QString& section, const QString& key, int def) const;
    void WriteInteger(const QString& section, const QString& key, int value);
    bool ReadBool(const QString& section, const QString& key, bool def) const;
    void WriteBool(const QString& section, const QString& key, bool value);
    // Times and dates use the locale's long time and short date formats.
    QTime ReadTime(const QString& section, const QString& key, const QTime& def) const;
    void WriteTime(const QString& section, const QString& key, const QTime& value);
    QDate ReadDate(const QString& section, const QString& key, const QDate& def) const;
    void WriteDate(const QString& section, const QString& key, const QDate& value);

private:
    PrivateProfile* profile_;
};

} // namespace varnelo
