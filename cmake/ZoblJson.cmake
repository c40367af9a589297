# The JSON library (Debian's nlohmann-json3-dev, header only), as the target zobl_json.
# Debian puts it in /usr/include, which a cross build must not search whole (the host's C
# library is there too): its folder is reached through a folder of the build tree's own.
find_path(ZOBL_JSON_INCLUDE_DIR nlohmann/json.hpp PATHS /usr/include NO_CMAKE_FIND_ROOT_PATH)
if(NOT ZOBL_JSON_INCLUDE_DIR)
  message(FATAL_ERROR "nlohmann/json.hpp not found: install the package nlohmann-json3-dev")
endif()
set(zobl_json_dir ${CMAKE_BINARY_DIR}/json-include)
file(MAKE_DIRECTORY ${zobl_json_dir})
file(CREATE_LINK ${ZOBL_JSON_INCLUDE_DIR}/nlohmann ${zobl_json_dir}/nlohmann SYMBOLIC)
add_library(zobl_json INTERFACE)
target_include_directories(zobl_json SYSTEM INTERFACE ${zobl_json_dir})
