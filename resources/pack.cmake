# Included from the top-level CMakeLists.txt. Compiles the course source and the interface pictures into one folder of
# files named by resource id, then packs that folder with Qt's resource
# compiler under the prefix /Custom (the interface pictures as a pack of their
# own, under the same prefix).
set(QUORVALE_COURSE_PACK ${CMAKE_BINARY_DIR}/course-pack CACHE INTERNAL "")
set(pack_stamp ${CMAKE_BINARY_DIR}/course-pack.stamp)
set(pack_qrc ${CMAKE_BINARY_DIR}/course-pack.qrc)
set(pack_cpp ${CMAKE_BINARY_DIR}/qrc_course_pack.cpp)
# The interface pictures are packed apart, so that they lie side by side in
# the program: a start reads every picture and no question page.
set(pictures_qrc ${CMAKE_BINARY_DIR}/course-pictures.qrc)
set(pictures_cpp ${CMAKE_BINARY_DIR}/qrc_course_pictures.cpp)

file(GLOB_RECURSE course_sources CONFIGURE_DEPENDS
  ${CMAKE_SOURCE_DIR}/resources/course/*.qvc
  ${CMAKE_SOURCE_DIR}/resources/course/*.qvp)
file(GLOB graphics CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/resources/graphics/*)

add_custom_command(
  OUTPUT ${pack_stamp} ${pack_qrc} ${pictures_qrc}
  COMMAND coursec --quiet --pictures ${CMAKE_SOURCE_DIR}/resources/graphics
          --qrc ${pack_qrc} --pictures-qrc ${pictures_qrc}
          ${CMAKE_SOURCE_DIR}/resources/course/course.qvc ${QUORVALE_COURSE_PACK}
  COMMAND ${CMAKE_COMMAND} -E touch ${pack_stamp}
  DEPENDS coursec ${course_sources} ${graphics}
  COMMENT "Compiling the course"
  VERBATIM)

# Qt's resource compiler turns a list into a source file of the executable.
function(quorvale_pack name qrc cpp what)
  add_custom_command(
    OUTPUT ${cpp}
    COMMAND Qt6::rcc --name ${name} --no-compress -o ${cpp} ${qrc}
    DEPENDS ${pack_stamp} ${qrc}
    COMMENT "Packing the ${what}"
    VERBATIM)
endfunction()
quorvale_pack(course_pack ${pack_qrc} ${pack_cpp} course)
quorvale_pack(course_pictures ${pictures_qrc} ${pictures_cpp} pictures)

add_custom_target(course_pack DEPENDS ${pack_stamp})
set(QUORVALE_COURSE_PACK_CPP ${pack_cpp} ${pictures_cpp})
