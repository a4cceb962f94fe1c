#pragma once

#include "platform/NetTypes.h"

namespace quorvane {

// Dial-up connections and the phone book. Never throws; failures give empty lists.
class DialupDirectory {
public:
    virtual ~DialupDirectory() = default;
    // Empties the array, then one element per active connection (entry name, dotted address).
    virtual void read_dialup_connections(TDialupEntriesArray& connections) = 0;
    // One element per phone-book entry (entry name only); the array is passed in empty.
    virtual void read_dialup_entries(TDialupEntriesArray& entries) = 0;
};

}  // namespace quorvane
