// Window placement arithmetic.
#include "app/placement.h"

void centreOver(const ScreenRect& owner, int width, int height, int& left, int& top) {
    left = owner.left + (owner.right - owner.left - width) / 2;
    top = owner.top + (owner.bottom - owner.top - height) / 2;
}

void keepInside(const ScreenRect& area, int width, int height, int& left, int& top) {
    if (left < area.left) left = area.left;
    if (top < area.top) top = area.top;
    if (left + width > area.right) left = area.right - width;
    if (top + height > area.bottom) top = area.bottom - height;
}
