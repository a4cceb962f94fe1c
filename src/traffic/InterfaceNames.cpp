#include "traffic/InterfaceNames.h"

namespace quorvane {

std::string_view if_type_name(uint32_t code) {
    switch (code) {
        case 1:
            return "MIB_IF_TYPE_OTHER";
        case 6:
            return "MIB_IF_TYPE_ETHERNET";
        case 9:
            return "MIB_IF_TYPE_TOKENRING";
        case 15:
            return "MIB_IF_TYPE_FDDI";
        case 23:
            return kTypePpp;
        case 24:
            return kTypeLoopback;
        case 28:
            return "MIB_IF_TYPE_SLIP";
        default:
            return {};
    }
}

std::string_view oper_status_name(uint32_t code) {
    switch (code) {
        case 0:
            return "MIB_IF_OPER_STATUS_NON_OPERATIONAL";
        case 1:
            return "MIB_IF_OPER_STATUS_UNREACHABLE";
        case 2:
            return "MIB_IF_OPER_STATUS_DISCONNECTED";
        case 3:
            return "MIB_IF_OPER_STATUS_CONNECTING";
        case 4:
            return "MIB_IF_OPER_STATUS_CONNECTED";
        case 5:
            return "MIB_IF_OPER_STATUS_OPERATIONAL";
        default:
            return {};
    }
}

}  // namespace quorvane
