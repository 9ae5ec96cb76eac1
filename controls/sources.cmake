set(CONTROLS_PURE_SOURCES region_scan.cpp button_colors.cpp image_placement.cpp)
set(CONTROLS_WIN32_SOURCES
    text_label.cpp
    picture_button.cpp
    picture_button_images.cpp
    picture_button_paint.cpp
    box_hover_button.cpp
    bitmap_region.cpp)
