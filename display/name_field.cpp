// The name being typed.
#include "display/name_field.h"

#include "records/persistent_block.h"

char pendingName[16] = "";

int pendingNameLength() {
    int length = 0;
    while (length < kNameBytes - 1 && pendingName[length] != '\0') ++length;
    return length;
}

std::wstring pendingNameText() {
    return std::wstring(pendingName, pendingName + pendingNameLength());
}
