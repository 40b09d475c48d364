// The library's entry points and its one link object, which lives from load to unload.
#include "protocol.h"

namespace {
TLowProtocol Link; // destroyed at unload: an owned port is closed, a borrowed one left open
} // namespace

extern "C" {

__attribute__((visibility("default"))) void SetCommPort(int32_t handle) { Link.SetHandle(handle); }

__attribute__((visibility("default"))) int InitCommPort(int32_t baudRate, uint8_t parity, uint8_t stopBits) {
    return Link.InitPort(uint32_t(baudRate), parity, stopBits) ? 1 : 0;
}

__attribute__((visibility("default"))) int data_out(const void* data, uint16_t length, uint16_t destination,
                                                    int extended) {
    Link.SetExtended(extended != 0);
    return Link.Send(data, length, destination);
}

__attribute__((visibility("default"))) int data_in(void* buffer, uint16_t size, uint16_t* length, uint16_t* source) {
    return Link.Receive(buffer, size, length, source);
}

__attribute__((visibility("default"))) TAbstractLowProtocol* GetLowProtocol(TAbstractLowProtocol** place) {
    if (place)
        *place = &Link;
    return &Link;
}

// The same five under the names with a leading underscore, which callers of the old export table look up.
__attribute__((visibility("default"), alias("SetCommPort"))) void _SetCommPort(int32_t);
__attribute__((visibility("default"), alias("InitCommPort"))) int _InitCommPort(int32_t, uint8_t, uint8_t);
__attribute__((visibility("default"), alias("data_out"))) int _data_out(const void*, uint16_t, uint16_t, int);
__attribute__((visibility("default"), alias("data_in"))) int _data_in(void*, uint16_t, uint16_t*, uint16_t*);
__attribute__((visibility("default"), alias("GetLowProtocol"))) TAbstractLowProtocol*
_GetLowProtocol(TAbstractLowProtocol**);
}
