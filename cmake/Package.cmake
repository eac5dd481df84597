# The Debian package: `cpack -G DEB` in the build directory makes zarvik_<version>_amd64.deb.
# Programs, modules, pictures and help go under /opt/zarvik; the settings file is
# /opt/brondell/ZARVIKSL/Zarvik.ini and the data /var/lib/zarvik, both made by the package's
# postinst on first installation and kept on upgrades and removal (packaging/postinst, postrm).
set(ZV_PREFIX /opt/zarvik)

# The settings file of the package: the demo's template with the installed directories.
file(READ ${CMAKE_SOURCE_DIR}/assets/Zarvik.ini settings)
foreach(dir Exames BancoDados Exemplos Laudos)
  string(REPLACE "@ROOT@/${dir}" "/var/lib/zarvik/${dir}" settings "${settings}")
endforeach()
string(REPLACE "@ROOT@" "${ZV_PREFIX}" settings "${settings}")
file(WRITE ${CMAKE_BINARY_DIR}/package/Zarvik.ini "${settings}")

install(TARGETS zarvik zarvik-db RUNTIME DESTINATION .)
install(PROGRAMS packaging/zarvik.sh DESTINATION .)
install(DIRECTORY ${CMAKE_BINARY_DIR}/bin/imgs DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/bin/zarvik.png DESTINATION .)
install(DIRECTORY assets/ajuda DESTINATION .)
install(FILES ${CMAKE_BINARY_DIR}/package/Zarvik.ini DESTINATION share)
install(FILES packaging/zarvik.desktop DESTINATION /usr/share/applications)

# Modules: map modules in Mapas/, the others beside the program.  Modules built by the tree
# at hand are packaged; the others are left out.
foreach(module Vessik Captura CapturaOrto Processamento Bexley Wendel Backup)
  if(TARGET ${module})
    install(TARGETS ${module} LIBRARY DESTINATION .)
  endif()
endforeach()
foreach(module Kandor Pelmo Rusk Gavrel Quillon Sennet Horvat)
  if(TARGET ${module})
    install(TARGETS ${module} LIBRARY DESTINATION Mapas)
  endif()
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zarvik)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX ${ZV_PREFIX})
set(CPACK_PACKAGE_CONTACT "Suporte técnico <suporte@zarvik.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Workstation of the Zarvik corneal topographer")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_ARCHITECTURE amd64)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The embedded database engine is a plug-in of the server package, not a linked library.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "firebird3.0-server-core, qt6-qpa-plugins, fonts-dejavu-core, adduser")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_SOURCE_DIR}/packaging/postinst
                                      ${CMAKE_SOURCE_DIR}/packaging/postrm)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)
