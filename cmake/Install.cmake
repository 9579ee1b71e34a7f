# What `cmake --install` puts under the prefix, and the Debian package that
# CPack makes of it. One application id names the desktop entry, the icon and
# the AppStream metainfo; the program sets it as its desktop file name.
set(VELQORANDIS_APP_ID io.github.velqorandis.Velqorandis)
set(data ${PROJECT_SOURCE_DIR}/data)

install(TARGETS velqorandis velqorandis-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The sample game, copied into each user's own game definition folder at the first start.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/samples/Plugin/ DESTINATION ${CMAKE_INSTALL_DATADIR}/velqorandis/Plugin)
install(FILES ${data}/${VELQORANDIS_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${data}/${VELQORANDIS_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${data}/icons/${VELQORANDIS_APP_ID}.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${data}/icons/png/${size}/${VELQORANDIS_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual pages and the Debian changelog go compressed, as Debian wants them.
set(compressed)
foreach(file man/velqorandis.1 man/velqorandis-cli.1 debian/changelog)
  get_filename_component(name ${file} NAME)
  set(output ${CMAKE_BINARY_DIR}/data/${name}.gz)
  add_custom_command(OUTPUT ${output}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/data
                     COMMAND gzip -9n -c ${data}/${file} > ${output}
                     DEPENDS ${data}/${file} VERBATIM)
  list(APPEND compressed ${output})
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${compressed})
install(FILES ${CMAKE_BINARY_DIR}/data/velqorandis.1.gz ${CMAKE_BINARY_DIR}/data/velqorandis-cli.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${data}/debian/copyright ${CMAKE_BINARY_DIR}/data/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/velqorandis)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velqorandis)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "The Velqorandis developers <velqorandis@users.noreply.github.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "deck editor for collectible trading card games")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
       "Velqorandis builds decks for collectible trading card games. It knows no\n"
       "game by itself: a game definition, a small text file, tells it a game's\n"
       "cards and their parameters, the columns of its lists, the parts of a deck\n"
       "with their copy limits and the archives of card pictures. Players browse\n"
       "and search a game's catalogue, build decks, read card text with its\n"
       "formatting, pop card pictures up and save decks as small text files.\n"
       "A small invented card game comes with it.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://github.com/velqorandis/velqorandis)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolkit's own texts in Japanese, and a font for them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, fonts-ipafont-gothic | fonts-noto-cjk")
include(CPack)
