# Debian 12's qt6-charts-dev needs Qt6OpenGL's CMake files from libqt6opengl6-dev without
# depending on it. Where that package is missing but the library and its headers are there, this
# describes it, so that the charts can be found (install-deps.sh installs the real package).
find_library(_qt6_opengl_library NAMES Qt6OpenGL libQt6OpenGL.so.6)
find_path(_qt6_opengl_include qtopenglexports.h PATH_SUFFIXES qt6/QtOpenGL x86_64-linux-gnu/qt6/QtOpenGL)
if(_qt6_opengl_library AND _qt6_opengl_include AND NOT TARGET Qt6::OpenGL)
    add_library(Qt6::OpenGL SHARED IMPORTED)
    get_filename_component(_qt6_include_root ${_qt6_opengl_include} DIRECTORY)
    set_target_properties(Qt6::OpenGL PROPERTIES
        IMPORTED_LOCATION ${_qt6_opengl_library}
        INTERFACE_INCLUDE_DIRECTORIES "${_qt6_opengl_include};${_qt6_include_root}"
        INTERFACE_LINK_LIBRARIES "Qt6::Gui")
endif()
if(TARGET Qt6::OpenGL AND NOT TARGET Qt::OpenGL)
    add_library(Qt::OpenGL INTERFACE IMPORTED)
    set_target_properties(Qt::OpenGL PROPERTIES INTERFACE_LINK_LIBRARIES Qt6::OpenGL)
endif()
set(Qt6OpenGL_FOUND TRUE)
set(Qt6OpenGL_VERSION 6.4.2)
