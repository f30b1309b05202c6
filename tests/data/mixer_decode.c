/* Loads each sound named on the command line with SDL_mixer (the game's
   sound layer) and prints: OK|FAIL path milliseconds peak edge, the peak being
   the largest absolute 16-bit sample and the edge the largest one among the
   first and the last 32 samples (a loop point without a click has a small
   edge). Run with SDL_AUDIODRIVER=dummy. */
#include <SDL.h>
#include <SDL_mixer.h>
#include <stdio.h>
#include <stdlib.h>

int main(int argc, char** argv) {
    if (SDL_Init(SDL_INIT_AUDIO) != 0) return 2;
    if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) return 3;
    int freq = 0, channels = 0;
    Uint16 format = 0;
    Mix_QuerySpec(&freq, &format, &channels);
    for (int i = 1; i < argc; ++i) {
        Mix_Chunk* c = Mix_LoadWAV(argv[i]);
        if (!c) {
            printf("FAIL %s 0 0\n", argv[i]);
            continue;
        }
        const Sint16* s = (const Sint16*)c->abuf;
        Uint32 n = c->alen / 2, peak = 0, edge = 0;
        for (Uint32 k = 0; k < n; ++k) {
            Uint32 v = (Uint32)abs(s[k]);
            if (v > peak) peak = v;
            if ((k < 32 || k + 32 >= n) && v > edge) edge = v;
        }
        printf("OK %s %lu %u %u\n", argv[i], (unsigned long)(n / channels * 1000UL / freq), peak, edge);
        Mix_FreeChunk(c);
    }
    Mix_CloseAudio();
    SDL_Quit();
    return 0;
}
