// The name being typed.
#include "display/name_field.h"

char pendingName[kNameBytes] = "";

int pendingNameLength() {
    int length = 0;
    while (length < kNameBytes - 1 && pendingName[length] != '\0') ++length;
    return length;
}

std::wstring pendingNameText() {
    return std::wstring(pendingName, pendingName + pendingNameLength());
}
