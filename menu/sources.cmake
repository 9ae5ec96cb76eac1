set(MENU_PURE_SOURCES menu_template.cpp mnemonic.cpp menu_colors.cpp menu_look.cpp
                      shortcut_column.cpp image_resources.cpp)
set(MENU_WIN32_SOURCES kel_menu.cpp kel_menu_items.cpp kel_menu_draw.cpp kel_menu_draw_flat.cpp
                       kel_menu_images.cpp item_paint.cpp menu_paint.cpp menu_platform.cpp)
