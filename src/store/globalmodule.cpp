#include "store/globalmodule.h"

namespace GlobalModule {

std::array<QString, 1001> Contacts;
qint16 ContactCount = 0;

} // namespace GlobalModule
