#include "app/settings_file.h"

#include "curves/curve_file_io.h"

#include <QFileDevice>
#include <QStandardPaths>

#include <optional>

namespace ombrelis {

namespace {

// In group names, keys and values, "\", line breaks, "=" and "[" are written
// after a "\", so that every line reads back whole.
QString escaped(const QString &text)
{
    QString out;
    for (const QChar c : text) {
        if (c == u'\n')
            out += QStringLiteral("\\n");
        else if (c == u'\r')
            out += QStringLiteral("\\r");
        else if (c == u'\\' || c == u'=' || c == u'[')
            out += QLatin1Char('\\') + c;
        else
            out += c;
    }
    return out;
}

QString unescaped(QStringView text)
{
    QString out;
    for (qsizetype i = 0; i < text.size(); ++i) {
        QChar c = text[i];
        if (c == u'\\' && i + 1 < text.size()) {
            c = text[++i];
            c = c == u'n' ? QChar(u'\n') : c == u'r' ? QChar(u'\r') : c;
        }
        out += c;
    }
    return out;
}

// Where "key=value" splits: the first "=" without a "\" before it; -1 for none.
qsizetype separatorOf(QStringView line)
{
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (line[i] == u'\\')
            ++i;
        else if (line[i] == u'=')
            return i;
    }
    return -1;
}

bool readSettings(QIODevice &device, QSettings::SettingsMap &map)
{
    const QString text = QString::fromUtf8(device.readAll());
    QString group;
    for (QStringView line : QStringView(text).split(u'\n')) {
        if (line.endsWith(u'\r'))  // a file edited by hand elsewhere
            line.chop(1);
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            group = unescaped(line.sliced(1, line.size() - 2));
            continue;
        }
        const qsizetype separator = separatorOf(line);
        if (separator < 0)
            continue;
        const QString key = unescaped(line.first(separator));
        map.insert(group.isEmpty() ? key : group + u'/' + key,
                   unescaped(line.sliced(separator + 1)));
    }
    return true;
}

// Keys without a group come first, the others under a "[group]" line.
QByteArray settingsText(const QSettings::SettingsMap &map)
{
    QString text;
    for (auto it = map.begin(); it != map.end(); ++it) {
        if (!it.key().contains(u'/'))
            text += escaped(it.key()) + u'=' + escaped(it.value().toString()) + u'\n';
    }
    std::optional<QString> group;
    for (auto it = map.begin(); it != map.end(); ++it) {
        const qsizetype slash = it.key().lastIndexOf(u'/');
        if (slash < 0)
            continue;
        if (const QString keyGroup = it.key().first(slash); keyGroup != group) {
            group = keyGroup;
            text += u'[' + escaped(keyGroup) + QStringLiteral("]\n");
        }
        text += escaped(it.key().sliced(slash + 1)) + u'=' + escaped(it.value().toString()) + u'\n';
    }
    return text.toUtf8();
}

// `device` is the temporary file QSettings commits over the settings only
// when this succeeds.
bool writeSettings(QIODevice &device, const QSettings::SettingsMap &map)
{
    auto *file = qobject_cast<QFileDevice *>(&device);
    const QByteArray bytes = settingsText(map);
    QString reason;
    return file &&
           writeToDisk(*file, {bytes.constData(), static_cast<std::size_t>(bytes.size())}, &reason);
}

}  // namespace

QSettings::Format settingsFormat()
{
    static const QSettings::Format format =
        QSettings::registerFormat(QStringLiteral("conf"), readSettings, writeSettings);
    return format;
}

QString oldSettingsFile()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/Local AppWizard-Generated Applications/Ombrelis.conf");
}

}  // namespace ombrelis
