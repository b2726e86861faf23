#pragma once
// Resource ids of the program's .rc file; included by app.rc and by C++ code alike, so it
// holds nothing but #defines.
#define IDI_APP 1
