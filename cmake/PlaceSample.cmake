# Copies each file of the sample game into the Plugin folder beside the
# executables unless a file of that name is there already, so that column
# widths the program wrote back, and the user's own game definitions, stay.
file(GLOB sample_files RELATIVE "${SOURCE}" "${SOURCE}/*")
foreach(name IN LISTS sample_files)
  if(NOT EXISTS "${DESTINATION}/${name}")
    file(COPY "${SOURCE}/${name}" DESTINATION "${DESTINATION}")
  endif()
endforeach()
