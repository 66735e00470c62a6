# Debian ships QScintilla for Qt 6 without a CMake or pkg-config file:
# find the headers under the Qt 6 include root and the library by name.
find_path(QScintilla_INCLUDE_DIR
  NAMES Qsci/qsciscintillabase.h
  HINTS ${Qt6Core_INCLUDE_DIRS} ${Qt6Widgets_INCLUDE_DIRS}
  PATH_SUFFIXES qt6 x86_64-linux-gnu/qt6)
find_library(QScintilla_LIBRARY NAMES qscintilla2_qt6)
include(FindPackageHandleStandardArgs)
find_package_handle_standard_args(QScintilla REQUIRED_VARS QScintilla_LIBRARY QScintilla_INCLUDE_DIR)
if(QScintilla_FOUND AND NOT TARGET QScintilla::QScintilla)
  add_library(QScintilla::QScintilla UNKNOWN IMPORTED)
  set_target_properties(QScintilla::QScintilla PROPERTIES
    IMPORTED_LOCATION "${QScintilla_LIBRARY}"
    INTERFACE_INCLUDE_DIRECTORIES "${QScintilla_INCLUDE_DIR}"
    INTERFACE_COMPILE_DEFINITIONS QSCINTILLA_DLL
    INTERFACE_LINK_LIBRARIES "Qt6::Widgets;Qt6::PrintSupport")
endif()
