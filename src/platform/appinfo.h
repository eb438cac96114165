#pragma once

#include <QString>

// The application object's title and version.
namespace App {

QString Title();
constexpr int Major = 1;
constexpr int Minor = 0;
constexpr int Revision = 0;

} // namespace App
