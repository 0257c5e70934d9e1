#pragma once

#include <QByteArray>
#include <QString>

// The copy MainSub.z__ of the category master that the editor takes when it
// opens, so that discarding the edits puts the master back byte for byte.
// The bytes are also kept in memory: the copy on disk only matters should the
// program end while the editor is open.
class MasterSnapshot {
public:
    // Copies the master beside itself. False, with error() set, when the
    // master cannot be read or the copy cannot be written.
    bool take(const QString& masterPath);
    // Puts the master back as it was taken; a master still holding those
    // bytes is left alone. False, with error() set, when it cannot be written.
    bool restore();
    // Deletes the copy, unless the master could not be put back: then the
    // copy is all that holds the old master.
    void discard();

    bool taken() const { return !master_.isEmpty(); }
    QString copyPath() const { return copy_; }
    QString error() const { return error_; }

private:
    QString master_;
    QString copy_;
    QByteArray bytes_;
    QString error_;
    bool restoreFailed_ = false;
};
