#include "storeoperations.h"

#include "benchdata.h"
#include "store/contacttable.h"
#include "store/datafile.h"

#include <QFile>
#include <QLockFile>
#include <QSaveFile>

StoreOperations::StoreOperations()
    : m_path(m_dir.filePath(DataFile::FileName)),
      m_bytes(BenchData::DataFile(BenchData::TypicalContacts())), m_file(m_path)
{
    m_valid = m_dir.isValid() && WriteBytes() && LoadContacts() == BenchData::ContactTotal;
}

qsizetype StoreOperations::ReadBytes() const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return file.readAll().size();
}

int StoreOperations::LoadContacts() const
{
    m_file.load();
    return GlobalModule::ContactCount;
}

void StoreOperations::ReleaseTable() const
{
    ContactTable::clear();
    GlobalModule::Contacts.fill(QString());
}

bool StoreOperations::WriteBytes() const
{
    // Every save holds the data file's lock, which Qt writes and syncs.
    QLockFile lock(m_path + QStringLiteral(".lock"));
    QSaveFile file(m_path);
    return lock.tryLock() && file.open(QIODevice::WriteOnly) &&
           file.write(m_bytes) == m_bytes.size() && file.commit();
}

bool StoreOperations::SaveContacts() const
{
    return m_file.save().ok();
}
