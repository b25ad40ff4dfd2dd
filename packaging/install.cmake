# Included from the top-level CMakeLists.txt: what `cmake --install` puts where,
# and the Debian package CPack makes of it (scripts/package).
include(GNUInstallDirs)

set(QUORVALE_APP_ID com.quorvale.Practice)
set(QUORVALE_PACKAGE_NAME quorvale-practice)
set(QUORVALE_LICENSE "LicenseRef-proprietary" CACHE STRING "SPDX licence of the program, for the software centres")
set(QUORVALE_SCREENSHOTS_URL "https://www.quorvale.com/practice/screenshots" CACHE STRING
    "Web folder where the pictures of docs/screenshots are published")
set(QUORVALE_HOMEPAGE "${PROJECT_HOMEPAGE_URL}")
set(packaging ${CMAKE_CURRENT_SOURCE_DIR}/packaging)

# An installed program keeps its results in the per-user data folder, never
# beside itself. It knows it is installed by this file, which only the install
# step puts into the prefix; the program looks for it from its own folder.
set(install_marker ${CMAKE_INSTALL_DATADIR}/quorvale/installed)
file(RELATIVE_PATH install_marker_from_bin ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_PREFIX}/${install_marker})
target_compile_definitions(quorvale_ui PRIVATE QUORVALE_INSTALL_MARKER="${install_marker_from_bin}")
target_compile_definitions(quorvale PRIVATE QUORVALE_VERSION="${PROJECT_VERSION}" QUORVALE_APP_ID="${QUORVALE_APP_ID}")
file(CONFIGURE OUTPUT ${CMAKE_BINARY_DIR}/packaging/installed CONTENT
     "Quorvale Practice is installed here: it keeps every pupil's results in that pupil's own data folder.\n")

install(TARGETS quorvale coursec RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The shipped course's source and its format, for a teacher who writes a course
# of their own from a copy of it.
install(DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/resources/course/ DESTINATION ${CMAKE_INSTALL_DATADIR}/quorvale/course
        FILES_MATCHING PATTERN "*.qvc" PATTERN "*.qvp")
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/docs/course-format.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${QUORVALE_PACKAGE_NAME})
install(FILES ${CMAKE_BINARY_DIR}/packaging/installed DESTINATION ${CMAKE_INSTALL_DATADIR}/quorvale)
install(FILES ${packaging}/${QUORVALE_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${packaging}/${QUORVALE_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/${QUORVALE_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/packaging/${QUORVALE_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 48 128 256)
  install(FILES ${packaging}/icons/quorvale-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${QUORVALE_APP_ID}.png)
endforeach()
install(FILES ${packaging}/icons/quorvale.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${QUORVALE_APP_ID}.svg)

# The package's copyright and (compressed, as Debian wants it) changelog.
set(changelog_gz ${CMAKE_BINARY_DIR}/packaging/changelog.gz)
add_custom_command(OUTPUT ${changelog_gz}
  COMMAND gzip -9 -n -c ${packaging}/changelog > ${changelog_gz}
  DEPENDS ${packaging}/changelog
  COMMENT "Compressing the package's changelog")
add_custom_target(package_changelog ALL DEPENDS ${changelog_gz})
install(FILES ${packaging}/copyright ${changelog_gz} DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/${QUORVALE_PACKAGE_NAME})

# Installs into a scratch prefix and checks what is there: the layout, the
# validators that are installed, and where the installed program (and a
# portable copy of it) keeps its results.
add_test(NAME install_tree COMMAND ${CMAKE_COMMAND} -E env CMAKE=${CMAKE_COMMAND}
         ${packaging}/check-install ${CMAKE_BINARY_DIR}/install-check ${CMAKE_BINARY_DIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${QUORVALE_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR Quorvale)
set(CPACK_PACKAGE_CONTACT "Quorvale <practice@quorvale.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "exam-practice program for school pupils")
set(CPACK_PACKAGE_DESCRIPTION "Quorvale Practice gives a pupil the practice papers of a course, one
question at a time beside an answer sheet. The pupil saves and comes back
later, marks the paper (a tick or a cross for every part, a percentage, the
time taken and the date), tries it a second time with the right parts carried
over, and reads a report of averages, strongest and weakest topics and a
trend. The program also brings coursec, which compiles a course's plain-text
source into the files the program packs.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${QUORVALE_HOMEPAGE})
# The dependencies are the packages of the libraries the programs link, as
# dpkg-shlibdeps finds them.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The fonts the windows name: DejaVu Sans has the ticks and crosses, Liberation
# Sans stands in for Arial. Without them the desktop's fonts are used.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
