#pragma once

#include <QString>
#include <QUrl>
#include <functional>

namespace varnelo {

// Hands folders, web links, mail addresses and the help file to the desktop's
// own handlers (file manager, browser, mail program, HTML viewer). Nothing is
// ever run through a shell command string, and no call waits for the handler:
// each returns as soon as the request is passed on. GUI thread only.

// Opens a folder in the desktop's file manager.
void OpenFolder(const QString& directory);
// Opens a web address in the desktop's browser.
void OpenWebAddress(const QString& url);
// Starts a new mail to `address` in the desktop's mail program.
void OpenMailTo(const QString& address);
// help/varnguide.html in the directory of the running executable.
QString HelpFilePath();
// Opens the user's guide in the desktop's viewer; whether the viewer or the
// file exists is not checked.
void OpenHelpFile();

// Every request ends in one URL handed to the desktop. Tests install an
// opener that records the URL; an empty opener restores the desktop's.
// Returns the previous opener.
using DesktopOpener = std::function<void(const QUrl& url)>;
DesktopOpener SetDesktopOpener(DesktopOpener opener);

} // namespace varnelo
