# Conversion between the channel table and the radio image. It needs the image, tone
# and decimal sources; until those are in the tree it stays out of the build so that
# nothing links against half a radio layer.
set(_codec_ready TRUE)
foreach(_n RadioImage Tones Decimal FrequencyCheck)
  if(NOT EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${_n}.cpp)
    set(_codec_ready FALSE)
  endif()
endforeach()
if(_codec_ready)
  qx260_core(
    ChannelCodec.cpp
  )
endif()
set(QX260_CODEC_READY ${_codec_ready} CACHE INTERNAL "the channel codec is in the build")
