#include "schemes/scheme_skin_win.h"

#include "chrome/skin_art_win.h"
#include "schemes/scheme_layout.h"

namespace qf::schemes {
namespace art = qf::art;

void PaintSchemeSkin(HDC dc) {
  art::PaintVoid(dc, kWidth, kHeight);

  // The hide button, with a small fade beside it.
  art::PaintPlate(dc, kOutline[0], kWidth, kHeight, art::kPlateTop, art::kPlateBottom);
  art::PaintButtonFace(dc, kHideArea);
  art::PaintCross(dc, kHideArea, 5, art::kGlyph);
  art::PaintRivet(dc, 13, 15);
  art::PaintWell(dc, kHideStripe, 1);
  art::FadeGradient(dc, ToRECT(kHideStripe), art::kFade);

  // The list in a sunken well, a fade running down beside it.
  art::PaintPlate(dc, kOutline[1], kWidth, kHeight, art::kBodyTop, art::kBodyBottom);
  art::PaintWell(dc, kSchemeList, 2);
  art::PaintWell(dc, kListStripe, 1);
  art::FadeGradient(dc, ToRECT(kListStripe), art::kFade, /*vertical=*/true);

  // Add and Remove, each on its own plate, lettered alike (the size Remove fits).
  const int pixels = art::FitPixels(dc, u"Remove", kRemoveArea.width - 4, 12);
  art::PaintPlate(dc, kOutline[2], kWidth, kHeight, art::kPlateTop, art::kPlateBottom);
  art::PaintButton(dc, kAddArea, u"Add", pixels);
  art::PaintPlate(dc, kOutline[3], kWidth, kHeight, art::kPlateTop, art::kPlateBottom);
  art::PaintButton(dc, kRemoveArea, u"Remove", pixels);
}

}  // namespace qf::schemes
