# The installed layout: executables in bin, shipped data in share/velmora
# (the program recognises this layout and keeps the operator's files in the
# user's configuration folder), desktop integration and the udev rules.
include(GNUInstallDirs)

set(VELMORA_APP_ID com.example.northwind_lab.Velmora)
set(VELMORA_DATA_DESTINATION ${CMAKE_INSTALL_DATADIR}/velmora)
# udev reads /lib/udev and /usr/lib/udev only, never a multiarch libdir.
set(VELMORA_UDEV_DESTINATION lib/udev/rules.d)

install(TARGETS velmora trackersim RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${PROJECT_SOURCE_DIR}/data/cmdprofile.xml DESTINATION ${VELMORA_DATA_DESTINATION})
if(TARGET velmora_translations)
  install(FILES ${CMAKE_BINARY_DIR}/bin/velmora.ENU ${CMAKE_BINARY_DIR}/bin/velmora.EN
                ${CMAKE_BINARY_DIR}/bin/velmora-cli.ENU ${CMAKE_BINARY_DIR}/bin/velmora-cli.EN
          DESTINATION ${VELMORA_DATA_DESTINATION})
endif()

install(FILES ${VELMORA_CLI_MAN_PAGE} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${VELMORA_CLI_COMPLETION} DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME velmora-cli)

install(FILES ${PROJECT_SOURCE_DIR}/data/${VELMORA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
configure_file(${PROJECT_SOURCE_DIR}/data/${VELMORA_APP_ID}.metainfo.xml
               ${CMAKE_BINARY_DIR}/${VELMORA_APP_ID}.metainfo.xml @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/${VELMORA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/velmora.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${VELMORA_APP_ID}.svg)
install(FILES ${PROJECT_SOURCE_DIR}/data/icons/velmora.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps
        RENAME ${VELMORA_APP_ID}.png)
install(FILES ${PROJECT_SOURCE_DIR}/data/udev/60-velmora.rules
        DESTINATION ${VELMORA_UDEV_DESTINATION})
