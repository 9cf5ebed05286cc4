# Installation of kybase into a prefix P (cmake --install BUILD --prefix P):
#   P/lib/libkybase*.a                   every subsystem library and the whole-library kybase
#   P/include/kybase/<module>/*.h        public headers (private *_interne.h stay out), version.h
#   P/bin/kyb                            the command
#   P/share/kybase/{TableVille,demo}     its data, found from the installed kyb
#   P/lib/cmake/kybase/                  the CMake package (targets kybase::kybase, kybase::<module>)
#   P/lib/pkgconfig/kybase.pc
# Everything follows KYBASE_MODULES, so a new subsystem is installed with the others.
include(CMakePackageConfigHelpers)

set(_cibles kybase_ntl)
foreach(m IN LISTS KYBASE_MODULES)
  if(TARGET kybase_${m})
    list(APPEND _cibles kybase_${m})
    set_target_properties(kybase_${m} PROPERTIES EXPORT_NAME ${m})
  endif()
  if(IS_DIRECTORY ${CMAKE_SOURCE_DIR}/src/${m})
    install(DIRECTORY ${CMAKE_SOURCE_DIR}/src/${m}/
            DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/kybase/${m}
            FILES_MATCHING PATTERN "*.h" PATTERN "*_interne.h" EXCLUDE)
  endif()
endforeach()
list(APPEND _cibles kybase)
set_target_properties(kybase_ntl PROPERTIES EXPORT_NAME ntl)

# A sanitized build leaves calls into the sanitizer runtimes in the libraries: whoever links
# the installed libraries links those runtimes too.
set(_options_lien)
if(KYBASE_SANITIZE OR KYBASE_FUZZ)
  set(_options_lien -fsanitize=address,undefined)
  target_link_options(kybase_platform INTERFACE $<INSTALL_INTERFACE:${_options_lien}>)
endif()

install(TARGETS ${_cibles} EXPORT kybaseCibles ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${CMAKE_BINARY_DIR}/generated/version.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/kybase)
install(TARGETS kyb RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/TableVille ${CMAKE_SOURCE_DIR}/data/demo
        DESTINATION ${CMAKE_INSTALL_DATADIR}/kybase)

# CMake package.
set(_repertoire_paquet ${CMAKE_INSTALL_LIBDIR}/cmake/kybase)
install(EXPORT kybaseCibles NAMESPACE kybase:: FILE kybaseTargets.cmake DESTINATION ${_repertoire_paquet})
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/kybaseConfig.cmake.in
                              ${CMAKE_BINARY_DIR}/paquet/kybaseConfig.cmake
                              INSTALL_DESTINATION ${_repertoire_paquet})
# Before 1.0 a new minor version may change the interface.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/paquet/kybaseConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/paquet/kybaseConfig.cmake
              ${CMAKE_BINARY_DIR}/paquet/kybaseConfigVersion.cmake
              ${CMAKE_SOURCE_DIR}/cmake/FindNTL.cmake
        DESTINATION ${_repertoire_paquet})

# pkg-config: the libraries from the highest module down (each links only those below it).
set(_modules_inverses ${KYBASE_MODULES})
list(REVERSE _modules_inverses)
set(KYBASE_PC_LIBS "-lkybase")
foreach(m IN LISTS _modules_inverses)
  if(TARGET kybase_${m})
    string(APPEND KYBASE_PC_LIBS " -lkybase_${m}")
  endif()
endforeach()
string(APPEND KYBASE_PC_LIBS " -lntl -lgmp -pthread")
if(_options_lien)
  string(APPEND KYBASE_PC_LIBS " ${_options_lien}")
endif()
set(KYBASE_PC_REQUIRES "sqlite3 nettle icu-uc pugixml")
# The prefix is found from the file's own place, so the installation can be moved.
file(RELATIVE_PATH KYBASE_PC_VERS_PREFIXE /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" KYBASE_PC_VERS_PREFIXE "${KYBASE_PC_VERS_PREFIXE}")
configure_file(${CMAKE_SOURCE_DIR}/cmake/kybase.pc.in ${CMAKE_BINARY_DIR}/paquet/kybase.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/paquet/kybase.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
