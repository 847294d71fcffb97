#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

// Collects the addresses handed to the desktop (QDesktopServices::setUrlHandler), so that a
// test sees what would have opened without opening anything.
class Opened : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl& url) { urls.append(url); }
};
