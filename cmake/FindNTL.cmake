# Finds NTL and the GMP library it is built on; defines the imported target NTL::NTL.
#   NTL_FOUND, NTL_INCLUDE_DIR, NTL_LIBRARY, GMP_LIBRARY
find_path(NTL_INCLUDE_DIR NTL/ZZ.h)
find_library(NTL_LIBRARY ntl)
find_library(GMP_LIBRARY gmp)

include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(NTL REQUIRED_VARS NTL_LIBRARY GMP_LIBRARY NTL_INCLUDE_DIR)
mark_as_advanced(NTL_INCLUDE_DIR NTL_LIBRARY GMP_LIBRARY)

if(NTL_FOUND AND NOT TARGET NTL::NTL)
  add_library(NTL::NTL UNKNOWN IMPORTED)
  set_target_properties(NTL::NTL PROPERTIES
    IMPORTED_LOCATION "${NTL_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${NTL_INCLUDE_DIR}"
    INTERFACE_LINK_LIBRARIES "${GMP_LIBRARY}")
endif()
