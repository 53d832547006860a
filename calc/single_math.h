// The model's exp and ln of a single-precision argument, correctly rounded to single
// precision, as each platform's libraries can give them.
#pragma once

float CorrectlyRoundedExp(float x);
float CorrectlyRoundedLog(float x);
