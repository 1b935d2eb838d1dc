// The mail library's header options filled from the settings.
#pragma once

#include "app/Settings.h"
#include "mail/HeaderOptions.h"

namespace varnel::app {

mail::HeaderOptions HeaderOptionsFrom(const Settings& s);
mail::ReformatOptions ReformatOptionsFrom(const Settings& s);

}  // namespace varnel::app
