#include "mainwindow/announcement.h"

namespace qf {

const std::u16string_view AnnounceLine1 =
    u"</b></i></s></u><font face=\"arial narrow\">        "
    u"<Font Color=#10BFEF>\u2022<Font Color=#20B2DF>\u00B7<Font Color=#30A6CF>\u00B7"
    u"<Font Color=#4099BF>.<Font Color=#508CAF>\u00B7<Font Color=#60809F>\u2022"
    u"<Font Color=#70738F> <Font Color=#806680> <Font Color=#8F5970> "
    u"<Font Color=#9F4C60>Q<Font Color=#AF4050>u<Font Color=#BF3340>e"
    u"<Font Color=#CF2630>l<Font Color=#DF1A20>v<Font Color=#EF0D10>a"
    u"<Font Color=#FF0000>n<Font Color=#EF0410>e<Font Color=#DF0820> "
    u"<Font Color=#CF0D30>F<Font Color=#BF1140>a<Font Color=#AF1550>d"
    u"<Font Color=#9F1A60>e<Font Color=#8F1E70>r<Font Color=#802280> "
    u"<Font Color=#70268F> <Font Color=#602A9F> <Font Color=#502FAF>\u2022"
    u"<Font Color=#4033BF>\u00B7<Font Color=#3037CF>.<Font Color=#203CDF>\u00B7"
    u"<Font Color=#1040EF>\u00B7<Font Color=#0044FF>\u2022";

const std::u16string_view AnnounceLine2 =
    u"</b></i></s></u><font face=\"arial narrow\">             "
    u"<Font Color=#14BCEB>\u2022<Font Color=#27ADD8>\u00B7<Font Color=#3B9DC4>\u00B7"
    u"<Font Color=#4E8DB1>.<Font Color=#627E9D>\u00B7<Font Color=#766E89>\u2022"
    u"<Font Color=#895E76> <Font Color=#9D4E62> <Font Color=#B13F4E> "
    u"<Font Color=#C42F3B>B<Font Color=#D81F27>y<Font Color=#EB1014>:"
    u"<Font Color=#FF0000> <Font Color=#EB0514>T<Font Color=#D80A27>a"
    u"<Font Color=#C4103B>r<Font Color=#B1154E>n<Font Color=#9D1A62> "
    u"<Font Color=#891F76> <Font Color=#762589> <Font Color=#622A9D>\u2022"
    u"<Font Color=#4E2FB1>\u00B7<Font Color=#3B34C4>.<Font Color=#273AD8>\u00B7"
    u"<Font Color=#143FEB>\u00B7<Font Color=#0044FF>\u2022";

}  // namespace qf
