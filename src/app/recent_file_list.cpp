#include "app/recent_file_list.h"

#include "app/settings_file.h"

#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QSettings>

namespace ombrelis {

namespace {

const QString kSection = QStringLiteral("Recent File List");

QString entryKey(int index)
{
    return QStringLiteral("File%1").arg(index + 1);
}

// Long paths keep their first folder and the file name, as "/home/.../a.crv".
QString abbreviated(const QString &path)
{
    constexpr int kMaxLength = 30;
    if (path.size() <= kMaxLength)
        return path;
    const QString name = QFileInfo(path).fileName();
    const auto firstSeparator = path.indexOf(QLatin1Char('/'), 1);
    if (firstSeparator < 0)
        return name;
    const QString head = path.left(firstSeparator + 1);
    if (head.size() + name.size() + 4 > kMaxLength)
        return name;
    return head + QStringLiteral(".../") + name;
}

// Settings that leave writing the file to their owner: Qt would write it at
// the next turn of the event loop, before the first frame is even painted.
class OwnerWrittenSettings : public QSettings {
public:
    using QSettings::QSettings;

protected:
    bool event(QEvent *event) override
    {
        if (event->type() == QEvent::UpdateRequest)
            return true;
        return QSettings::event(event);
    }
};

// The first start after the settings moved takes the list over from the
// file earlier versions kept; that file is left as it was.
void takeOverOldList(QSettings &settings)
{
    if (QFileInfo::exists(settings.fileName()) || !QFileInfo::exists(oldSettingsFile()))
        return;
    QSettings old(oldSettingsFile(), QSettings::IniFormat);
    old.beginGroup(kSection);
    settings.beginGroup(kSection);
    const QStringList keys = old.childKeys();
    for (const QString &key : keys)
        settings.setValue(key, old.value(key));
    settings.endGroup();
    settings.sync();
}

}  // namespace

RecentFileList::RecentFileList(int capacity)
    : settings_(std::make_unique<OwnerWrittenSettings>(
          settingsFormat(), QSettings::UserScope, kSettingsOrganisation, kSettingsApplication)),
      capacity_(capacity)
{
    takeOverOldList(*settings_);
    writeTimer_.setSingleShot(true);
    writeTimer_.setInterval(kWriteDelayMs);
    QObject::connect(&writeTimer_, &QTimer::timeout, settings_.get(),
                     [this] { settings_->sync(); });
    settings_->beginGroup(kSection);
    for (int i = 0; i < capacity_; ++i) {
        const QString path = settings_->value(entryKey(i)).toString();
        if (!path.isEmpty() && !entries_.contains(path))
            entries_.append(path);
    }
}

void RecentFileList::add(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    entries_.removeAll(absolute);
    entries_.prepend(absolute);
    while (entries_.size() > capacity_)
        entries_.removeLast();
    store();
}

void RecentFileList::remove(int index)
{
    if (index < 0 || index >= entries_.size())
        return;
    entries_.removeAt(index);
    store();
}

QString RecentFileList::menuText(int index) const
{
    const QFileInfo file(entries_.at(index));
    const bool inCurrentDirectory = file.absoluteDir() == QDir::current();
    QString shown = inCurrentDirectory ? file.fileName()
                                       : abbreviated(QDir::toNativeSeparators(file.filePath()));
    shown.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(index + 1).arg(shown);
}

void RecentFileList::store()
{
    for (int i = 0; i < capacity_; ++i) {
        if (i < entries_.size())
            settings_->setValue(entryKey(i), entries_.at(i));
        else
            settings_->remove(entryKey(i));
    }
    writeTimer_.start();
}

}  // namespace ombrelis
