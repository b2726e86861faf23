// What a screen reader finds on the three windows, read through the system's accessibility
// layer as a reader reads it: every click area and colour square a named button where the
// layout table puts it, and a press asked for by the reader doing what a click does.
#include <windows.h>

#include <oleacc.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "app/program_win.h"
#include "htmlfader/html_fader_layout.h"
#include "mainwindow/layout.h"
#include "schemes/scheme_layout.h"
#include "toolkit_test_support.h"

namespace {

namespace fs = std::filesystem;

struct Found {
  LONG id = 0;  // the child id, to ask for more
  long role = 0;
  RECT place{};  // on the screen
};

// Every child of the window's client object, by name.
std::map<std::wstring, Found> ReadByName(HWND window, IAccessible** keep = nullptr) {
  std::map<std::wstring, Found> found;
  IAccessible* client = nullptr;
  const HRESULT got = AccessibleObjectFromWindow(window, OBJID_CLIENT, __uuidof(IAccessible),
                                                 reinterpret_cast<void**>(&client));
  if (FAILED(got)) {
    ADD_FAILURE() << "no accessible object: " << std::hex << got << " answer "
                  << SendMessageW(window, WM_GETOBJECT, 0, static_cast<LPARAM>(OBJID_CLIENT));
    return found;
  }
  LONG count = 0;
  client->get_accChildCount(&count);
  for (LONG k = 1; k <= count; ++k) {
    VARIANT child{};
    child.vt = VT_I4;
    child.lVal = k;
    BSTR name = nullptr;
    VARIANT role{};
    Found item;
    LONG width = 0, height = 0;
    if (SUCCEEDED(client->get_accName(child, &name)) && name != nullptr &&
        SUCCEEDED(client->get_accRole(child, &role)) &&
        SUCCEEDED(client->accLocation(&item.place.left, &item.place.top, &width, &height, child))) {
      item.id = k;
      item.role = role.lVal;
      item.place.right = item.place.left + width;
      item.place.bottom = item.place.top + height;
      found[name] = item;
    }
    SysFreeString(name);
  }
  if (keep != nullptr) {
    *keep = client;
  } else {
    client->Release();
  }
  return found;
}

// `area` of the layout table (96-dpi pixels from the window's corner) on the screen.
RECT OnScreen(qf::Form& form, const qf::Rect& area) {
  const qf::Rect placed = form.Scaling().Map(area);
  RECT rect{placed.left, placed.top, placed.Right(), placed.Bottom()};
  MapWindowPoints(form.Handle(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

void ExpectButton(const std::map<std::wstring, Found>& found, qf::Form& form,
                  const std::wstring& name, const qf::Rect& area) {
  const auto item = found.find(name);
  ASSERT_NE(item, found.end()) << "no item named " << testing::PrintToString(name);
  EXPECT_EQ(item->second.role, ROLE_SYSTEM_PUSHBUTTON) << testing::PrintToString(name);
  const RECT expected = OnScreen(form, area);
  EXPECT_TRUE(EqualRect(&item->second.place, &expected)) << testing::PrintToString(name);
}

// The item a focus event last announced on a form's client area.
LONG announced = 0;
void CALLBACK RecordFocus(HWINEVENTHOOK, DWORD, HWND, LONG object, LONG child, DWORD, DWORD) {
  if (object == OBJID_CLIENT) announced = child;
}

TEST(Accessibility, EveryClickAreaAndColorSquareIsANamedButtonWhereTheLayoutPutsIt) {
  const fs::path folder =
      fs::temp_directory_path() / ("qf-a11y-" + std::to_string(GetCurrentProcessId()));
  fs::create_directories(folder);
  {
    qf::Program program(nullptr, folder.u16string());
    qf::MainForm& main = program.mainForm;
    main.Show();
    main.SetStopColor(3, 0xFF0000);  // blue
    main.NumberedBox(3).SetValue(1);
    main.lineBox.SetText(u"Hello");
    qf::test::PumpFor(50);

    IAccessible* client = nullptr;
    std::map<std::wstring, Found> found = ReadByName(main.Handle(), &client);
    ExpectButton(found, main, L"Send To Chat", qf::mainwindow::kSendArea);
    ExpectButton(found, main, L"Send Wavy To Chat", qf::mainwindow::kSendWavyArea);
    ExpectButton(found, main, L"Add/Remove Fades", qf::mainwindow::kFadesArea);
    ExpectButton(found, main, L"Menu", qf::mainwindow::kMenuArea);
    ExpectButton(found, main, L"Minimise to the tray", qf::mainwindow::kTrayArea);
    ExpectButton(found, main, L"Exit", qf::mainwindow::kCloseArea);
    ExpectButton(found, main, L"Colour 1: black (#000000)", qf::mainwindow::ColorBox(1));
    ExpectButton(found, main, L"Colour 3: blue (#0000FF)", qf::mainwindow::ColorBox(3));
    ASSERT_EQ(found.count(L"Hello"), 1u) << "the preview strip gives the line it shows";
    EXPECT_EQ(found[L"Hello"].role, ROLE_SYSTEM_STATICTEXT);
    EXPECT_EQ(found.size(), 6u + 10u + 1u);

    // Tab from the line to SEND: the reader is told the focus is on the SEND button; on a colour
    // square (a window of its own) the system names it by its window text.
    announced = 0;
    const HWINEVENTHOOK hook =
        SetWinEventHook(EVENT_OBJECT_FOCUS, EVENT_OBJECT_FOCUS, nullptr, &RecordFocus,
                        GetCurrentProcessId(), 0, WINEVENT_OUTOFCONTEXT);
    SetFocus(main.lineBox.Handle());
    qf::test::PostKey(main.lineBox.Handle(), VK_TAB);
    qf::test::PumpFor(50);
    UnhookWinEvent(hook);
    EXPECT_EQ(announced, found[L"Send To Chat"].id);
    VARIANT focus{};
    EXPECT_EQ(client->get_accFocus(&focus), S_OK);
    EXPECT_EQ(focus.vt, VT_I4);
    EXPECT_EQ(focus.lVal, found[L"Send To Chat"].id);
    wchar_t text[64] = {};
    GetWindowTextW(main.ColorBox(3).Handle(), text, 64);
    EXPECT_STREQ(text, L"Colour 3: blue (#0000FF)");

    // The reader presses FADES: the scheme manager opens, as on a click.
    VARIANT fades{};
    fades.vt = VT_I4;
    fades.lVal = found[L"Add/Remove Fades"].id;
    EXPECT_EQ(client->accDoDefaultAction(fades), S_OK);
    qf::test::PumpFor(100);
    EXPECT_TRUE(program.schemeForm.Visible());
    client->Release();

    found = ReadByName(program.schemeForm.Handle());
    ExpectButton(found, program.schemeForm, L"Add", qf::schemes::kAddArea);
    ExpectButton(found, program.schemeForm, L"Remove", qf::schemes::kRemoveArea);
    ExpectButton(found, program.schemeForm, L"Close", qf::schemes::kHideArea);

    program.htmlFaderForm.Show();
    found = ReadByName(program.htmlFaderForm.Handle());
    qf::Form& fader = program.htmlFaderForm;
    ExpectButton(found, fader, L"Generate", qf::htmlfader::kGenerateArea);
    ExpectButton(found, fader, L"Clear", qf::htmlfader::kClearArea);
    ExpectButton(found, fader, L"Close", qf::htmlfader::kCloseArea);
    ExpectButton(found, fader, L"Markup format: aol", qf::htmlfader::kFormatArea);
    for (int k = 1; k <= 3; ++k) {
      ExpectButton(found, fader, L"Colour " + std::to_wstring(k) + L": black (#000000)",
                   qf::htmlfader::ColorBox(k));
    }
    // Its squares carry their names as window text too, and a bar's change renames its square.
    qf::HtmlFaderForm& htmlFader = program.htmlFaderForm;
    GetWindowTextW(htmlFader.colorBox1.Handle(), text, 64);
    EXPECT_STREQ(text, L"Colour 1: black (#000000)");
    htmlFader.color2Red.SetValue(255);
    GetWindowTextW(htmlFader.colorBox2.Handle(), text, 64);
    EXPECT_STREQ(text, L"Colour 2: red (#FF0000)");
  }
  std::error_code ignored;
  fs::remove_all(folder, ignored);
}

}  // namespace
