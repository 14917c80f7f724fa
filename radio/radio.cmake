# Radio data: the memory image, tones, exact decimals, frequency reading, documents.
qx260_core(
  RadioImage.cpp
  Tones.cpp
  Decimal.cpp
  FrequencyCheck.cpp
  DatFile.cpp
  CProgramDoc.cpp
)
