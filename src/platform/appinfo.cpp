#include "platform/appinfo.h"

namespace App {

QString Title()
{
    return QStringLiteral("Rubrio");
}

} // namespace App
