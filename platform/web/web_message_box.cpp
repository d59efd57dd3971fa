#include "platform/web/web_message_box.h"

#include "platform/web/page_bridge.h"

void WebMessageBox::Show(const char* text, const char* caption) {
    banner_page_show_box(text, caption);
}
