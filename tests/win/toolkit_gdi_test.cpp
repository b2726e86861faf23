// The toolkit's GDI owners and a form's skin, painted once into its bitmap.
#include <windows.h>

#include <gtest/gtest.h>

#include <utility>

#include "toolkit_test_forms.h"
#include "toolkit_test_support.h"

namespace {

TEST(ToolkitGdi, OwnersDeleteOnceAndMove) {
  qf::GdiBrush brush{CreateSolidBrush(RGB(1, 2, 3))};
  HBRUSH handle = brush.Get();
  ASSERT_NE(handle, nullptr);
  qf::GdiBrush moved = std::move(brush);
  EXPECT_EQ(brush.Get(), nullptr);
  EXPECT_EQ(moved.Get(), handle);
  EXPECT_EQ(GetObjectType(handle), static_cast<DWORD>(OBJ_BRUSH));
  { qf::GdiBrush last = std::move(moved); }
  EXPECT_EQ(GetObjectType(handle), 0u);  // deleted by its last owner

  // A font stays usable while selected, and the DC gets its old font back.
  qf::MemoryDc dc(nullptr);
  ASSERT_TRUE(dc);
  HGDIOBJ before = GetCurrentObject(dc.Get(), OBJ_FONT);
  qf::GdiFont font = qf::MakeFont(u"Arial", 10, {.bold = true});
  {
    qf::SelectGuard select(dc.Get(), font.Get());
    EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), font.Get());
  }
  EXPECT_EQ(GetCurrentObject(dc.Get(), OBJ_FONT), before);
  LOGFONTW info{};
  GetObjectW(font.Get(), sizeof(info), &info);
  EXPECT_EQ(info.lfWeight, FW_BOLD);
  EXPECT_STREQ(info.lfFaceName, L"Arial");
  // A region given away is not deleted by its former owner.
  qf::GdiRegion region{CreateRectRgn(0, 0, 5, 5)};
  HRGN raw = region.Release();
  EXPECT_EQ(region.Get(), nullptr);
  EXPECT_EQ(GetObjectType(raw), static_cast<DWORD>(OBJ_REGION));
  DeleteObject(raw);
}

TEST(ToolkitSkin, PaintedOnceIntoTheFormsBitmap) {
  class SkinForm : public qf::Form {
   public:
    SkinForm() : Form({.width = 40, .height = 30, .left = 0, .top = 0}) {}
    int paints = 0;

   protected:
    void PaintSkin(HDC dc, int width, int height) override {
      ++paints;
      const RECT all{0, 0, width, height};
      qf::VerticalGradient(dc, all, RGB(0, 0, 0), RGB(0, 0, 255));
      qf::FillRoundRect(dc, {10, 10, 30, 20}, 4, RGB(255, 0, 0), RGB(255, 255, 255));
    }
  } form;
  form.Show();
  InvalidateRect(form.Handle(), nullptr, TRUE);
  UpdateWindow(form.Handle());
  form.Hide();
  form.Show();
  EXPECT_EQ(form.paints, 1);
  EXPECT_EQ(GetPixel(form.SkinDc(), 0, 0), RGB(0, 0, 0));
  EXPECT_EQ(GetPixel(form.SkinDc(), 0, 29), RGB(0, 0, 255));
  EXPECT_EQ(GetPixel(form.SkinDc(), 20, 15), RGB(255, 0, 0));
  HDC dc = GetDC(form.Handle());
  EXPECT_EQ(GetPixel(dc, 20, 15), RGB(255, 0, 0));  // WM_PAINT showed the skin
  ReleaseDC(form.Handle(), dc);
}

}  // namespace
