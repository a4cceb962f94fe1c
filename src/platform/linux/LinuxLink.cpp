#include "platform/linux/LinuxLink.h"

#include <linux/if.h>

namespace quorvane {

bool LinuxLink::is_up() const {
    return operstate == IF_OPER_UP || (operstate == IF_OPER_UNKNOWN && (flags & IFF_UP) != 0);
}

bool LinuxLink::link_down() const {
    return operstate == IF_OPER_DOWN || operstate == IF_OPER_LOWERLAYERDOWN;
}

}  // namespace quorvane
