# Copies the effect library (SOURCE) into the program folder's data/ (TARGET) when there is one.
if(IS_DIRECTORY "${SOURCE}")
  file(COPY "${SOURCE}/" DESTINATION "${TARGET}")
endif()
