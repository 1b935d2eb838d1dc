// Configured keys: a key the editor receives runs the command whose "Key" setting holds
// it (Enter = Reply All by default), under the rules of the mode.
#include "app/CommandTable.h"
#include "app/TForm1.h"

namespace varnel::app {

bool TForm1::RunShortcut(std::uint16_t key, std::uint8_t shift) {
    const int code = key | (shift & 0x07) << 8;
    const CommandSpec* c = CommandForKey(settings_.key, code, sonEdit1_.ReadOnly);
    if (!c)
        return false;
    (this->*(c->handler))();
    return true;
}

}  // namespace varnel::app
