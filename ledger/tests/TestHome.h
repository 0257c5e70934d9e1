#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>
#include <QTemporaryDir>

// A temporary program folder (KANELO_HOME, also standing for the
// executable's folder), isolated settings and a fixed "today" for the length
// of one test.
class TestHome {
public:
    explicit TestHome(const QDateTime& today = QDateTime(QDate(2026, 3, 15), QTime(10, 0)));
    ~TestHome();

    QString path(const QString& name) const;
    // Writes raw bytes, or text encoded as CP932 with the given line end.
    void writeBytes(const QString& name, const QByteArray& bytes) const;
    void writeText(const QString& name, const QString& text, const char* eol = "\r\n") const;
    QByteArray readBytes(const QString& name) const;
    bool exists(const QString& name) const;

private:
    QTemporaryDir dir_;
    QTemporaryDir settings_;
};
