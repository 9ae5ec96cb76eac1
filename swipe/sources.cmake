set(SWIPE_PURE_SOURCES swipe_check.cpp card_mask.cpp keyboard_layouts.cpp swipe_texts.cpp dialog_texts.cpp
                       typed_text.cpp)
set(SWIPE_WIN32_SOURCES)
