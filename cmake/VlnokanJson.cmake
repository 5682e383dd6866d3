# nlohmann-json is header-only. Targets that read or write JSON link vlnokan_json and include
# <nlohmann/json.hpp>. Only the nlohmann folder is staged on their include path, never the whole
# folder it lies in: for the Windows cross build that folder is the build machine's /usr/include,
# whose C library headers would shadow MinGW's own. The target is absent where the headers are.
find_path(VLNOKAN_JSON_INCLUDE_DIR nlohmann/json.hpp PATHS /usr/include /usr/local/include
          NO_CMAKE_FIND_ROOT_PATH)
if(VLNOKAN_JSON_INCLUDE_DIR)
    add_library(vlnokan_json INTERFACE)
    vlnokan_stage_headers(vlnokan_json INTERFACE nlohmann ${VLNOKAN_JSON_INCLUDE_DIR}/nlohmann)
endif()
