#include "settings/SettingsFile.h"

#include "platform/profile/PrivateProfile.h"

#include <QDir>
#include <QLocale>
#include <QStandardPaths>
#include <QStringView>
#include <limits>

namespace varnelo {

namespace {

// Decimal with an optional sign, or hexadecimal after "$", "x", "X", "0x" or
// "0X"; anything else, or a value outside the signed 32-bit range, fails.
std::optional<int> parseInteger(QStringView text) {
    text = text.trimmed();
    bool negative = false;
    if (!text.isEmpty() && (text.front() == u'+' || text.front() == u'-')) {
        negative = text.front() == u'-';
        text = text.mid(1);
    }
    int base = 10;
    if (text.startsWith(u'$') || text.startsWith(u'x') || text.startsWith(u'X')) {
        base = 16;
        text = text.mid(1);
    } else if (text.startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        text = text.mid(2);
    }
    if (text.isEmpty())
        return std::nullopt;
    qint64 magnitude = 0;
    for (const QChar c : text) {
        const int digit = c.isDigit() ? c.digitValue()
                          : (base == 16 && c.toLower() >= u'a' && c.toLower() <= u'f')
                              ? c.toLower().unicode() - u'a' + 10
                              : -1;
        if (digit < 0 || digit >= base)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > qint64(std::numeric_limits<int>::max()) + 1)
            return std::nullopt;
    }
    const qint64 value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<int>::max() || value < std::numeric_limits<int>::min())
        return std::nullopt;
    return static_cast<int>(value);
}

// The locale's long time format without the time zone, which a time of day
// does not have.
QString timeFormat() {
    QString format = QLocale::system().timeFormat(QLocale::LongFormat);
    format.remove(QLatin1Char('t'));
    return format.trimmed();
}

// The locale's short date format, with four-digit years so that a stored
// date never moves to another century.
QString dateFormat() {
    QString format = QLocale::system().dateFormat(QLocale::ShortFormat);
    if (!format.contains(QLatin1String("yyyy")))
        format.replace(QLatin1String("yy"), QLatin1String("yyyy"));
    return format;
}

} // namespace

SettingsFile::SettingsFile(const QString& path) : profile_(new PrivateProfile(path)) {}

SettingsFile::~SettingsFile() {
    delete profile_;
}

QString SettingsFile::DefaultPath() {
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty())
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/varnelo/Varn.ini");
}

QString SettingsFile::path() const {
    return profile_->path();
}

QString SettingsFile::ReadString(const QString& section, const QString& key,
                                 const QString& def) const {
    return profile_->Read(section, key).value_or(def.left(PrivateProfile::MaxValueLength));
}

void SettingsFile::WriteString(const QString& section, const QString& key, const QString& value) {
    profile_->Write(section, key, value);
}

int SettingsFile::ReadInteger(const QString& section, const QString& key, int def) const {
    const auto text = profile_->Read(section, key);
    if (!text)
        return def;
    return parseInteger(*text).value_or(def);
}

void SettingsFile::WriteInteger(const QString& section, const QString& key, int value) {
    profile_->Write(section, key, QString::number(value));
}

bool SettingsFile::ReadBool(const QString& section, const QString& key, bool def) const {
    return ReadInteger(section, key, def ? 1 : 0) != 0;
}

void SettingsFile::WriteBool(const QString& section, const QString& key, bool value) {
    profile_->Write(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QTime SettingsFile::ReadTime(const QString& section, const QString& key, const QTime& def) const {
    const auto text = profile_->Read(section, key);
    if (!text || text->isEmpty())
        return def;
    const QTime time = QLocale::system().toTime(*text, timeFormat());
    return time.isValid() ? time : def;
}

void SettingsFile::WriteTime(const QString& section, const QString& key, const QTime& value) {
    profile_->Write(section, key, QLocale::system().toString(value, timeFormat()));
}

QDate SettingsFile::ReadDate(const QString& section, const QString& key, const QDate& def) const {
    const auto text = profile_->Read(section, key);
    if (!text || text->isEmpty())
        return def;
    const QDate date = QLocale::system().toDate(*text, dateFormat());
    return date.isValid() ? date : def;
}

void SettingsFile::WriteDate(const QString& section, const QString& key, const QDate& value) {
    profile_->Write(section, key, QLocale::system().toString(value, dateFormat()));
}

} // namespace varnelo
