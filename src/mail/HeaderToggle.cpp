// Header toggle transition.
#include "mail/HeaderToggle.h"

namespace varnel::mail {

HeaderModeSettings NextHeaderMode(HeaderModeSettings s, bool showRecipientsNow) {
    if (s.header) {
        s.header = false;
        s.showTo = false;
    } else if (!s.showTo) {
        s.showTo = true;
    } else if (showRecipientsNow) {
        s.header = true;
    }
    return s;
}

}  // namespace varnel::mail
