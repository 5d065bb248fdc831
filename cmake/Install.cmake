# cmake --install: the program, the command-line tool and the simulator with the plug-ins and the
# shared library in one folder, PREFIX/lib/veltro (the program finds its plug-ins beside
# itself), linked from PREFIX/bin; the desktop entry and the icon under PREFIX/share.
include(GNUInstallDirs)
set(VELTRO_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/veltro)
set(veltro_installed veltro veltro-cli veltro-sim kvb nmea veltro_shared)
set_target_properties(${veltro_installed} PROPERTIES INSTALL_RPATH "$ORIGIN")
install(TARGETS ${veltro_installed} RUNTIME DESTINATION ${VELTRO_INSTALL_DIR} LIBRARY DESTINATION ${VELTRO_INSTALL_DIR})
foreach(program veltro veltro-cli veltro-sim)
  install(CODE "
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(CREATE_LINK \"../${VELTRO_INSTALL_DIR}/${program}\"
         \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\" SYMBOLIC)")
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/veltro.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/resources/desktop/veltro.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
