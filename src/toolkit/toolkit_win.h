#pragma once
// Everything a form needs, in one include.
#include "toolkit/controls_win.h"
#include "toolkit/dialogs_win.h"
#include "toolkit/event_pump_win.h"
#include "toolkit/form_win.h"
#include "toolkit/gdi_win.h"
#include "toolkit/popup_menu_win.h"
#include "toolkit/program_title.h"
#include "toolkit/scroll_bar_win.h"
#include "toolkit/skin_win.h"
#include "core/wide_win.h"
#include "toolkit/win32_win.h"
