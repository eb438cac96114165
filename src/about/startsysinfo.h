#pragma once

// Finds the system information tool through the registry and starts it, or
// tells the user it is unavailable. Never lets an error escape.
void StartSysInfo();
