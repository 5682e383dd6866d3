# One static library per folder. Its headers are seen as "folder/Header.h" only by the targets
# that link it, through a staged include folder holding a single link to the source folder: an
# include against the direction of the layers (core <- entry <- calc <- diagrams <- print/widgets
# <- app) finds no header and fails to build.
function(vlnokan_add_library target)
    add_library(${target} STATIC)
    get_filename_component(folder ${CMAKE_CURRENT_SOURCE_DIR} NAME)
    vlnokan_stage_headers(${target} PUBLIC ${folder} ${CMAKE_CURRENT_SOURCE_DIR})
    target_link_libraries(${target} PUBLIC vlnokan_options)
endfunction()

# Makes "name/..." resolve to source_dir for target (and, PUBLIC, for those that link it).
function(vlnokan_stage_headers target scope name source_dir)
    set(stage ${PROJECT_BINARY_DIR}/include/${target})
    file(MAKE_DIRECTORY ${stage})
    file(CREATE_LINK ${source_dir} ${stage}/${name} SYMBOLIC)
    target_include_directories(${target} ${scope} ${stage})
endfunction()
