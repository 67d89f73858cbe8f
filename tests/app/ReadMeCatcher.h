#pragma once

#include <QList>
#include <QObject>
#include <QUrl>

/// Stands in for the desktop's handler of files: records what it is asked to open.
class ReadMeCatcher final : public QObject {
    Q_OBJECT
public:
    QList<QUrl> opened;

public Q_SLOTS:
    void open(const QUrl& url) { opened.push_back(url); }
};
