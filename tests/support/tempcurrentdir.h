#pragma once

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

// A fresh temporary directory made the current directory for its lifetime;
// the previous current directory is restored and the directory removed on
// destruction. data.txt is looked up in the current directory.
class TempCurrentDir
{
public:
    TempCurrentDir() : m_previous(QDir::currentPath())
    {
        if (m_dir.isValid())
            QDir::setCurrent(m_dir.path());
    }
    ~TempCurrentDir() { QDir::setCurrent(m_previous); }
    TempCurrentDir(const TempCurrentDir &) = delete;
    TempCurrentDir &operator=(const TempCurrentDir &) = delete;

    bool isValid() const
    {
        return m_dir.isValid() && QDir::currentPath() == QDir(m_dir.path()).canonicalPath();
    }
    QString path() const { return m_dir.path(); }
    QString filePath(const QString &name) const { return m_dir.filePath(name); }

    bool write(const QString &name, const QByteArray &bytes) const
    {
        QFile file(filePath(name));
        return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
    }
    // The file's bytes, or a null QByteArray when it cannot be read.
    QByteArray read(const QString &name) const
    {
        QFile file(filePath(name));
        if (!file.open(QIODevice::ReadOnly))
            return {};
        return file.readAll();
    }

private:
    QString m_previous;
    QTemporaryDir m_dir;
};
