#pragma once

#include "curves/curve_file_names.h"
#include "framework/command_map.h"

#include <QObject>
#include <QString>

namespace ombrelis {

class MyView;

// The document of a window. It holds no curve data (the view does); it only
// carries the window's title and, for a window opened from a file, its path.
class CTolvaneDoc : public QObject {
    Q_OBJECT
public:
    // The title of a new document; the file commands treat it as no title.
    static QString untitled() { return QString::fromUtf8(kUntitledDocumentTitle); }

    explicit CTolvaneDoc(QObject *parent = nullptr);

    QString title() const { return title_; }
    void setTitle(const QString &title);
    QString pathName() const { return pathName_; }
    // Records the path of an opened file and titles the window with its name.
    void setPathName(const QString &path);

    MyView *view() const { return view_; }
    void setView(MyView *view) { view_ = view; }

    bool onNewDocument();
    // Loads `path` less its last four characters, plus ".crv", as curve 3 of
    // the view. On failure *error holds the message to show, or stays empty
    // when nothing is to be shown. A file read with faults says what they are
    // in *fault.
    bool onOpenDocument(const QString &path, QString *error, QString *fault);

    CommandMap &commands() { return commands_; }
    const CommandMap &commands() const { return commands_; }

Q_SIGNALS:
    void titleChanged(const QString &title);

private:
    QString title_ = untitled();
    QString pathName_;
    MyView *view_ = nullptr;
    CommandMap commands_;
};

}  // namespace ombrelis
