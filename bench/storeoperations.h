#pragma once

#include "store/datafile.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

// The store operations that are measured, each beside its baseline, shared by
// the timing benchmarks and the instruction counts. Each works on data.txt
// in a temporary directory of its own that holds the 1001 typical contacts.
class StoreOperations
{
public:
    StoreOperations();

    bool isValid() const { return m_valid; }
    QString dataPath() const { return m_path; }

    // Baseline of the load: the file's bytes, read whole.
    qsizetype ReadBytes() const;
    // DataFile::load of data.txt; the number of lines in use.
    int LoadContacts() const;
    // Empties every slot of the table, as it is when the program starts and
    // loads data.txt (the only time it does).
    void ReleaseTable() const;
    // Baseline of the save: the same bytes written atomically with
    // QSaveFile under a QLockFile, without formatting or checks.
    bool WriteBytes() const;
    // DataFile::save of the table as loaded.
    bool SaveContacts() const;

private:
    QTemporaryDir m_dir;
    QString m_path;
    QByteArray m_bytes;
    mutable DataFile m_file; // loads and saves change what it knows of the file
    bool m_valid = false;
};
