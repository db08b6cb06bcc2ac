include(CMakePackageConfigHelpers)

install(TARGETS vellix EXPORT vellixTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vellix)

foreach(dir platform engine encodings)
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/${dir}/ DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vellix/${dir}
    FILES_MATCHING PATTERN "*.h" PATTERN "*_internal.h" EXCLUDE PATTERN "codec.h" EXCLUDE)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/vellix.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vellix)

install(EXPORT vellixTargets NAMESPACE vellix:: DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vellix)
configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/vellixConfig.cmake.in
  ${PROJECT_BINARY_DIR}/vellixConfig.cmake INSTALL_DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vellix)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/vellixConfigVersion.cmake COMPATIBILITY SameMajorVersion)
install(FILES ${PROJECT_BINARY_DIR}/vellixConfig.cmake ${PROJECT_BINARY_DIR}/vellixConfigVersion.cmake
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/cmake/vellix)

configure_file(${PROJECT_SOURCE_DIR}/cmake/vellix.pc.in ${PROJECT_BINARY_DIR}/vellix.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/vellix.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
