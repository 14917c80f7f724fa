# The program's pictures: built into the windows library, and title.ico and
# background.bmp laid out beside the executables, where the program looks first.
qx260_windows(pictures/pictures.qrc)

set(_pictures_src ${CMAKE_CURRENT_SOURCE_DIR}/pictures)
set(_pictures_out)
foreach(_file title.ico background.bmp)
  add_custom_command(OUTPUT ${QX260_BIN_DIR}/${_file}
    COMMAND ${CMAKE_COMMAND} -E copy ${_pictures_src}/${_file} ${QX260_BIN_DIR}/${_file}
    DEPENDS ${_pictures_src}/${_file}
    COMMENT "Laying out ${_file}")
  list(APPEND _pictures_out ${QX260_BIN_DIR}/${_file})
endforeach()
add_custom_target(qx260_pictures ALL DEPENDS ${_pictures_out})

# Redraws the pictures: cmake --build build --target qx260-draw-pictures, then
# build/bin/qx260-draw-pictures res/pictures
add_executable(qx260-draw-pictures EXCLUDE_FROM_ALL ${_pictures_src}/DrawPictures.cpp)
target_link_libraries(qx260-draw-pictures PRIVATE Qt6::Gui)
