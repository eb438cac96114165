#include "store/filemetadata.h"

#include <QFile>

#include <cerrno>
#if defined(Q_OS_WIN)
#include <windows.h>
#else
#include <sys/stat.h>
#include <unistd.h>
#endif
#if defined(Q_OS_LINUX)
#include <sys/xattr.h>
#endif

namespace FileMetadata {

namespace {

[[maybe_unused]] bool fail(QString *error, int code)
{
    *error = qt_error_string(code);
    return false;
}

#if defined(Q_OS_LINUX)
// Reads a variable-sized answer of the extended attribute calls, which give
// its size when asked with no buffer; empty on any error.
template<typename Call>
QByteArray sized(Call call)
{
    for (int attempt = 0; attempt < 4; ++attempt) {
        const ssize_t size = call(nullptr, 0);
        if (size <= 0)
            return {};
        QByteArray buffer(size, '\0');
        const ssize_t got = call(buffer.data(), size_t(size));
        if (got >= 0)
            return buffer.first(got);
        if (errno != ERANGE) // grown meanwhile: ask again
            return {};
    }
    return {};
}

QList<QByteArray> names(const QByteArray &list)
{
    QList<QByteArray> result = list.split('\0');
    result.removeAll(QByteArray());
    return result;
}

// The extended attributes, the ACL among them (system.posix_acl_access):
// those of the original are set, others that the new file got from its
// folder's default ACL are removed. The security label is the system's own.
bool copyAttributes(const QByteArray &from, int handle, QString *error)
{
    const QList<QByteArray> wanted =
        names(sized([&](char *buffer, size_t size) { return listxattr(from, buffer, size); }));
    for (const QByteArray &name : wanted) {
        const QByteArray value = sized([&](char *buffer, size_t size) {
            return getxattr(from, name.constData(), buffer, size);
        });
        const QByteArray present = sized([&](char *buffer, size_t size) {
            return fgetxattr(handle, name.constData(), buffer, size);
        });
        if (value == present && !value.isEmpty())
            continue;
        if (fsetxattr(handle, name.constData(), value.constData(), size_t(value.size()), 0) != 0)
            return fail(error, errno);
    }
    const QList<QByteArray> present =
        names(sized([&](char *buffer, size_t size) { return flistxattr(handle, buffer, size); }));
    for (const QByteArray &name : present) {
        if (!wanted.contains(name) && !name.startsWith("security.") &&
            fremovexattr(handle, name.constData()) != 0)
            return fail(error, errno);
    }
    return true;
}
#endif

} // namespace

#if defined(Q_OS_WIN)

// A new file in the folder takes the folder's inherited permissions, as
// every file there does.
bool copy(const QString &, int, QString *)
{
    return true;
}

bool isSameFile(const QString &a, const QString &b)
{
    const auto identity = [](const QString &path, BY_HANDLE_FILE_INFORMATION *info) {
        const HANDLE handle = CreateFileW(reinterpret_cast<LPCWSTR>(path.utf16()),
                                          FILE_READ_ATTRIBUTES,
                                          FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                          nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS,
                                          nullptr);
        if (handle == INVALID_HANDLE_VALUE)
            return false;
        const bool known = GetFileInformationByHandle(handle, info);
        CloseHandle(handle);
        return known;
    };
    BY_HANDLE_FILE_INFORMATION first{};
    BY_HANDLE_FILE_INFORMATION second{};
    return identity(a, &first) && identity(b, &second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh &&
           first.nFileIndexLow == second.nFileIndexLow;
}

#else

bool copy(const QString &from, int handle, QString *error)
{
    const QByteArray path = QFile::encodeName(from);
    struct stat original;
    struct stat now;
    if (stat(path.constData(), &original) != 0)
        return true; // nothing is replaced
    if (fstat(handle, &now) != 0)
        return fail(error, errno);
    if ((original.st_uid != now.st_uid || original.st_gid != now.st_gid) &&
        fchown(handle, original.st_uid, original.st_gid) != 0)
        return fail(error, errno);
#if defined(Q_OS_LINUX)
    if (!copyAttributes(path, handle, error))
        return false;
#endif
    // After the ACL, whose mask the group bits of the mode are.
    return fchmod(handle, original.st_mode & 07777) == 0 || fail(error, errno);
}

bool isSameFile(const QString &a, const QString &b)
{
    struct stat first;
    struct stat second;
    return stat(QFile::encodeName(a).constData(), &first) == 0 &&
           stat(QFile::encodeName(b).constData(), &second) == 0 && first.st_dev == second.st_dev &&
           first.st_ino == second.st_ino;
}

#endif

} // namespace FileMetadata
